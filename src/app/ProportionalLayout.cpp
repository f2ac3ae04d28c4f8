#include "ProportionalLayout.h"

#include "GeometryRecord.h"
#include "Twips.h"

#include <QGroupBox>
#include <QTabWidget>

namespace {

const char *const TagProperty = "Tag";

// The controls inside one container, and recursively those inside every
// group box and tab page among them. A tab widget's bar and pages and a
// combo box's editor are laid out by Qt itself and are not controls; child
// windows such as message boxes are not either.
void collectControls(const QWidget &container, QList<QWidget *> &controls)
{
    for (QObject *child : container.children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (!control || control->isWindow())
            continue;
        controls.append(control);
        if (qobject_cast<QGroupBox *>(control)) {
            collectControls(*control, controls);
        } else if (auto *tabs = qobject_cast<QTabWidget *>(control)) {
            for (int page = 0; page < tabs->count(); ++page)
                collectControls(*tabs->widget(page), controls);
        }
    }
}

QList<QWidget *> controlsOf(const QWidget &form)
{
    QList<QWidget *> controls;
    collectControls(form, controls);
    return controls;
}

} // namespace

void ProportionalLayout::record(QWidget &form)
{
    m_scaleWidth = pixelsToTwips(form.width());
    m_scaleHeight = pixelsToTwips(form.height());
    const QList<QWidget *> controls = controlsOf(form);
    for (QWidget *control : controls)
        control->setProperty(TagProperty, GeometryRecord::fromPixels(control->geometry()).toText());
    m_captions.record(controls);
}

void ProportionalLayout::apply(QWidget &form, QSize area)
{
    if (!area.isValid())
        area = form.size();
    const auto horizontal = scaleRatio(pixelsToTwips(area.width()), ScaleWidth());
    const auto vertical = scaleRatio(pixelsToTwips(area.height()), ScaleHeight());
    if (!horizontal || !vertical)
        return; // nothing recorded yet
    for (QWidget *control : controlsOf(form)) {
        // A control without a record, or with one that does not read, is
        // left where it is; the others are placed all the same.
        const auto record = GeometryRecord::fromText(control->property(TagProperty).toString());
        if (record)
            control->setGeometry(record->scaled(*horizontal, *vertical).toPixels());
    }
    m_captions.apply();
}
