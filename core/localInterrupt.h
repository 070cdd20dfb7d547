#pragma once

// Ctrl-C while a console line runs asks the running program to stop: its loops notice
// the request at their next pass and fail, and the console goes on with the next prompt,
// its variables intact. Ctrl-C at the prompt ends the session as it always did.
void localInterruptInstall();
void localInterruptLineStarts();
void localInterruptLineEnds();
bool localInterruptRequested();
