// The splash skin object behind skin/splash.h: skinState().splash.
#pragma once
#include "skin/skin_state_win32.h"
#include "skin/splash.h"
