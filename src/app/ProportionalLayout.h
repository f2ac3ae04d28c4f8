#pragma once

#include "CaptionFit.h"

#include <QList>
#include <QSize>

class QWidget;

// Keeps every control of a form in its design proportions. record() takes
// the form's client size as the reference and stores each control's design
// geometry, in twips inside its own container, as text in the control's
// "Tag" property. apply() places every control from its record alone, scaled
// by the ratios of the current client size to the reference, so that no
// rounding carries over from one resize to the next. Straight lines are
// controls like any other. Type sizes are not scaled: a caption keeps its
// design type unless its control has become too small for its words, and
// then shrinks just as far as they need (see CaptionFit).
class ProportionalLayout
{
public:
    // The client size at recording, in twips: the reference size.
    int ScaleWidth() const { return m_scaleWidth; }
    int ScaleHeight() const { return m_scaleHeight; }

    void record(QWidget &form);
    // Captions of one kind, which shrink together (see CaptionFit).
    void setCaptionFamilies(const QList<QList<QWidget *>> &families)
    {
        m_captions.setFamilies(families);
    }
    // Places the controls for a client area of `area`, the form's whole size
    // unless it gives some of it to controls of its own below the design.
    void apply(QWidget &form, QSize area = QSize());

private:
    int m_scaleWidth = 0;
    int m_scaleHeight = 0;
    CaptionFit m_captions;
};
