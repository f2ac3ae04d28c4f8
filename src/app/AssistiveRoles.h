#pragma once

// What assistive technology is told of the controls whose roles Qt does not
// say truly: a lamp is a status indicator, not an unnamed filler, and a tab
// of a tab bar is focused only while the tab bar has the focus (Qt would
// call the current tab focused at all times, so that two controls seem to
// have the focus). From the first call on.
void installAssistiveRoles();
