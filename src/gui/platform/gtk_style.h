#pragma once
// Adjustments to GTK's theme that Kelmio needs; nothing on other toolkits.

namespace kelmio {

// Toolbar buttons with the padding of a classic Japanese desktop program
// instead of the theme's touch-sized one, so that the whole toolbar fits the
// main window's first-start width. Safe to call more than once.
void UseCompactToolbarButtons();

}  // namespace kelmio
