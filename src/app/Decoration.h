#pragma once

// The form's decorations, its straight lines and its rectangles (plain
// frames), say nothing a user needs to hear. From the first call on, each
// is offered to assistive technology as an object that is not shown, which
// screen readers pass over, instead of as an unnamed object.
void hideDecorationsFromAssistiveTechnology();
