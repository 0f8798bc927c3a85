// Unit SkinButtons: the control kit's owner-drawn push buttons.
#pragma once

#include "SkinCustomButton.h"
#include "SkinImageButton.h"
