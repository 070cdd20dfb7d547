#pragma once
// `localinterp --dap`: the debug adapter (dap/) on standard input and output, in UTF-8,
// with the program run the way `localinterp FILE` runs it, its failure told to the editor
// as the command line tells it on standard error.
int localDebugAdapterRun();
