#pragma once
#include <QString>

// The per-user folder that holds the settings files and the ignore list:
// $XDG_CONFIG_HOME/mivor/ (default ~/.config/mivor/), ending in "/".
// Created with mode 0700 the first time it is asked for.
QString appFolder();

// The folder of the running executable's shipped data (help page, default
// ignore list): share/mivor next to an installed binary, or the source
// tree's resources/ when run from a build tree. Ends in "/".
QString dataFolder();
