#pragma once

// The whole life of the editor: builds the main window, its control panel and the initial scene,
// runs the toolkit's loop until the window is closed, tears everything down and returns 1 (the
// process's exit status). Command-line arguments play no part. beforeShow, when given, runs once
// the panel and the scene are built, just before the window is shown (tests inspect the panel as
// built through it).
int runEditor(void (*beforeShow)() = nullptr);
