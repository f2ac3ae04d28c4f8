#pragma once

#include <QStringView>

// A caption that leaves a run of spaces for other controls to sit in
// ("New Setting: 1 Oz=" + 17 spaces + "signs", with a box in the run).
struct CaptionGap
{
    int prefixLength = 0; // characters before the run
    int runLength = 0;    // spaces in the run

    // The longest run of two or more spaces in `caption`; an invalid gap
    // when it has none.
    static CaptionGap find(QStringView caption);

    bool isValid() const { return runLength >= 2; }
};
