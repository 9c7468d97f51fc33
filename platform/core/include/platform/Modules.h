// Parts of the platform that most runs never use (the metafile players,
// the web engine, the sound effects) are modules beside the executables,
// loaded when first needed: the programs start without their libraries.
#pragma once

// The symbol `symbol` of the module `file` (a name beside the running
// executable), the module loaded on first use and kept to the end; null,
// with the reason on the error stream once, when it cannot be loaded.
// `shareSymbols`: the module's symbols serve the modules loaded after it
// (a module that brings a toolkit of its own).
void* ModuleSymbol(const char* file, const char* symbol, bool shareSymbols = false);
