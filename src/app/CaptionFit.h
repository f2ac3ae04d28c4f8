#pragma once

#include "TypeFit.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QPointer>

#include <functional>

class QWidget;

// Keeps the words of a form's captions whole: every label, button text and
// group title. Each keeps its design type wherever its control has room for
// it; where the window makes the control smaller than its words need (a
// window fitted to a small screen, a user's resize), the control's own type
// shrinks as far as its words need to stay whole inside it, clear of the
// controls in its gaps, and grows back with the control. The type is set as
// the control's own font, so what its font metrics measure is what it draws.
class CaptionFit
{
public:
    // Takes the font of each control as its design type. Every control's
    // type size is made its own, so that the type a group box takes for its
    // title never reaches the controls inside it.
    void record(const QList<QWidget *> &controls);

    // Captions of one kind that share one type size when they shrink: the
    // smallest size any member needs is the size of all.
    void setFamilies(const QList<QList<QWidget *>> &families);

    // Fits the type of every captioned control to its current size.
    void apply();

    // What a caption's words need at one type size: the whole line, and
    // for a caption with a gap, the words before and after the gap and
    // where those after it start at their place.
    struct Measure
    {
        LineMeasure line;
        int prefix = 0;
        int naturalStart = 0;
        int suffix = 0;
    };

private:
    // How wrapped words were last laid out at one type size: at `width`,
    // into lines `linesWidth` wide and `height` high.
    struct Wrapping
    {
        int linesWidth = 1;
        int width = 0;
        int height = 0;
    };

    struct Caption
    {
        QPointer<QWidget> control;
        QFont design;
        QString words;                          // the words the sizes below are for
        int quarters = 0;                       // the type size it has, in quarter points
        int family = -1;                        // index into the families; -1 for none
        QHash<std::pair<int, int>, int> fitted; // type sizes by width and height
        QHash<int, Measure> measures;           // by type size
        QHash<int, Wrapping> wrappings;         // by type size
    };

    // The largest type size, in quarter points, at which the caption's words
    // fit its control as it is now.
    int fittingQuarters(Caption &caption);
    // Whether the caption's words fit its control, as it is now, at a type
    // size in quarter points.
    static std::function<bool(int)> fitsAt(Caption &caption);
    static QFont typeAt(const Caption &caption, int quarters);
    static const Measure &measureAt(Caption &caption, int quarters);
    // The size of the lines the caption's words wrap to at a type size and
    // width.
    static QSize wrappedAt(Caption &caption, int quarters, int width, int flags);

    QList<Caption> m_captions;
    int m_families = 0;
};
