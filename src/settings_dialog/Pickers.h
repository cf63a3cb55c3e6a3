#pragma once
// The four modal pickers (colour, font, file, folder) for windows that let the user choose one.
// Each call shows a fresh dialog and keeps nothing for the next one.
#include "settings_dialog/ColourPicker.h"
#include "settings_dialog/FilePickers.h"
#include "settings_dialog/FontPicker.h"
