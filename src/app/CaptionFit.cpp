#include "CaptionFit.h"

#include "CaptionGap.h"
#include "GapCaption.h"

#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <limits>

namespace {

// A control's words, or "" where it shows none.
QString wordsOf(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        return label->text();
    if (const auto *button = qobject_cast<const QPushButton *>(&control))
        return button->text();
    if (const auto *group = qobject_cast<const QGroupBox *>(&control))
        return group->title();
    return {};
}

LineMeasure measureLine(const QFontMetrics &metrics, const QString &words)
{
    const QRect ink = metrics.tightBoundingRect(words);
    return {metrics.horizontalAdvance(words), metrics.height(), metrics.ascent(), -ink.top(),
            ink.bottom() + 1};
}

// Where a group's title lies when drawn in `metrics`.
QRect titlePlace(const QGroupBox &group, const QFontMetrics &metrics)
{
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.fontMetrics = metrics;
    option.text = group.title();
    option.textAlignment = group.alignment();
    option.subControls = QStyle::SC_GroupBoxLabel;
    return group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                         &group);
}

// The top of the highest control in `group` under its title, or the
// group's height.
int topUnderTitle(const QGroupBox &group)
{
    const QRect title = titlePlace(group, group.fontMetrics());
    int top = group.height();
    for (const QObject *child : group.children()) {
        const auto *control = qobject_cast<const QWidget *>(child);
        const QRect place = control ? control->geometry() : QRect();
        if (place.left() <= title.right() && place.right() >= title.left())
            top = std::min(top, place.top());
    }
    return top;
}

} // namespace

void CaptionFit::record(const QList<QWidget *> &controls)
{
    m_captions.clear();
    for (QWidget *control : controls) {
        QFont own = control->font();
        own.setPointSizeF(own.pointSizeF());
        control->setFont(own);
        if (!wordsOf(*control).isEmpty())
            m_captions.append(
                {control, own, {}, qRound(own.pointSizeF() * QuartersPerPoint), -1, {}, {}, {}});
    }
}

void CaptionFit::setFamilies(const QList<QList<QWidget *>> &families)
{
    m_families = int(families.size());
    for (Caption &caption : m_captions) {
        for (int family = 0; family < m_families; ++family) {
            if (families[family].contains(caption.control.data()))
                caption.family = family;
        }
    }
}

void CaptionFit::apply()
{
    QList<int> wanted(m_captions.size());
    QList<int> familySize(m_families, std::numeric_limits<int>::max());
    for (qsizetype i = 0; i < m_captions.size(); ++i) {
        Caption &caption = m_captions[i];
        wanted[i] = caption.control ? fittingQuarters(caption) : caption.quarters;
        if (caption.family >= 0)
            familySize[caption.family] = qMin(familySize[caption.family], wanted[i]);
    }
    for (qsizetype i = 0; i < m_captions.size(); ++i) {
        Caption &caption = m_captions[i];
        const int quarters = caption.family >= 0 ? familySize[caption.family] : wanted[i];
        if (caption.control && quarters != caption.quarters) {
            caption.quarters = quarters;
            caption.control->setFont(typeAt(caption, quarters));
        }
    }
}

QFont CaptionFit::typeAt(const Caption &caption, int quarters)
{
    QFont type = caption.design;
    if (quarters != qRound(caption.design.pointSizeF() * QuartersPerPoint))
        type.setPointSizeF(double(quarters) / QuartersPerPoint);
    return type;
}

const CaptionFit::Measure &CaptionFit::measureAt(Caption &caption, int quarters)
{
    auto found = caption.measures.constFind(quarters);
    if (found != caption.measures.cend())
        return *found;
    const QFontMetrics metrics(typeAt(caption, quarters));
    Measure measure{measureLine(metrics, caption.words)};
    const CaptionGap gap = CaptionGap::find(caption.words);
    if (gap.isValid()) {
        const int after = gap.prefixLength + gap.runLength;
        measure.prefix = metrics.horizontalAdvance(caption.words.left(gap.prefixLength));
        measure.naturalStart = metrics.horizontalAdvance(caption.words.left(after));
        measure.suffix = metrics.horizontalAdvance(caption.words.mid(after));
    }
    return *caption.measures.insert(quarters, measure);
}

QSize CaptionFit::wrappedAt(Caption &caption, int quarters, int width, int flags)
{
    // Words wrap the same way at any width from the widest line they wrapped
    // to up to the width they were wrapped at: each line still fits, and a
    // word that did not fit after a line does not fit a narrower one.
    Wrapping &known = caption.wrappings[quarters];
    if (width < known.linesWidth || width > known.width) {
        const QRect lines =
            QFontMetrics(typeAt(caption, quarters))
                .boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX), flags, caption.words);
        known = {lines.width(), width, lines.height()};
    }
    return {known.linesWidth, known.height};
}

std::function<bool(int)> CaptionFit::fitsAt(Caption &caption)
{
    const QWidget &control = *caption.control;
    if (const auto *gapped = qobject_cast<const GapCaption *>(&control)) {
        const QRect room = gapped->contentsRect();
        const auto [left, right] = gapped->occupantsSpan();
        return [&caption, room, left = left, right = right](int quarters) {
            const Measure &m = measureAt(caption, quarters);
            return gapCaptionFits(m.line, m.prefix, m.naturalStart, m.suffix, room.width(),
                                  room.height(), left, right);
        };
    }
    if (const auto *group = qobject_cast<const QGroupBox *>(&control)) {
        // A title lies within its group, its ink above the controls under it.
        const int below = topUnderTitle(*group);
        return [&caption, group, below](int quarters) {
            const QRect title = titlePlace(*group, QFontMetrics(typeAt(caption, quarters)));
            const LineMeasure &line = measureAt(caption, quarters).line;
            return title.right() < group->width() &&
                   title.top() + line.ascent + line.inkBelow < below;
        };
    }
    QRect room;
    if (const auto *label = qobject_cast<const QLabel *>(&control)) {
        room = label->contentsRect();
        // Wrapped words fit when the lines they wrap to are as wide and as
        // many as the room holds. They are measured at the top of a room of
        // any height: centred in it, they would come out a rounded pixel taller.
        const int wrapped = int(label->alignment() & Qt::AlignHorizontal_Mask) | Qt::TextWordWrap;
        if (label->wordWrap()) {
            return [&caption, room, wrapped](int quarters) {
                const QSize lines = wrappedAt(caption, quarters, room.width(), wrapped);
                return lines.width() <= room.width() && lines.height() <= room.height();
            };
        }
    } else {
        QStyleOptionButton option;
        option.initFrom(&control);
        room = control.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &control);
    }
    return [&caption, room](int quarters) {
        return lineFits(measureAt(caption, quarters).line, room.width(), room.height());
    };
}

int CaptionFit::fittingQuarters(Caption &caption)
{
    QWidget &control = *caption.control;
    if (const QString words = wordsOf(control); words != caption.words) {
        caption.words = words;
        caption.fitted.clear();
        caption.measures.clear();
        caption.wrappings.clear();
    }
    // A hand-dragged resize passes through sizes that do not come back.
    constexpr qsizetype CacheLimit = 64;
    if (caption.fitted.size() > CacheLimit)
        caption.fitted.clear();
    const std::pair size(control.width(), control.height());
    auto fitted = caption.fitted.constFind(size);
    if (fitted == caption.fitted.cend()) {
        const int design = qRound(caption.design.pointSizeF() * QuartersPerPoint);
        fitted = caption.fitted.insert(
            size, largestFittingQuarters(design, caption.quarters, fitsAt(caption)));
    }
    return *fitted;
}
