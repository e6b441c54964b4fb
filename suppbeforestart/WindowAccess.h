#pragma once

class TFormSuppBeforeStart;

// What the window offers without a mouse and to a screen reader: a shortcut for every button
// (shown in its tooltip; the captions stay as the suite writes them), Tab out of the list in one
// step, the panel's account in a box (Alt+A), names and descriptions for the date field, the
// list, the progress and the panel, and the window's role that of a frame.
void makeAccessible(TFormSuppBeforeStart& window);
