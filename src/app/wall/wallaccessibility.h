#pragma once

// Screen readers and automation cannot see graphics items by themselves: the
// wall view's viewport lists the open windows of the shown wall as its
// accessible children, each named by its number and input in the language in
// force (InputChannel::accessibleText). Installed once, before the first wall
// view is asked for its accessible interface.
void installWallAccessibility();
