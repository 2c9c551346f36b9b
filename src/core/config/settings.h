#ifndef SETTINGS_H
#define SETTINGS_H

// The per-user settings, where each folder dialog remembers its last folder
// (Configuration::lastDirectories).

// Reads every remembered folder, once init.txt was loaded through.
void readLastDirectories();
// Writes them back, when they were read.
void writeLastDirectories();

#endif
