#pragma once
// Everything an end-to-end scenario needs: folders with a private copy of the program, processes,
// windows, input, the system's common dialogs, screen pixels, settings locations and the scenario fixture.
#include "harness/AppFolder.h"
#include "harness/CommonDialogs.h"
#include "harness/Files.h"
#include "harness/Input.h"
#include "harness/Process.h"
#include "harness/Scenario.h"
#include "harness/Screen.h"
#include "harness/SystemSettings.h"
#include "harness/Wait.h"
#include "harness/WindowQueries.h"
