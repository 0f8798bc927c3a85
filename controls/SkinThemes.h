// Unit SkinThemes: the control kit's built-in styles, the theme-file component
// and the themed form panel.
#pragma once

#include "SkinFileTheme.h"
#include "SkinUIStyle.h"
