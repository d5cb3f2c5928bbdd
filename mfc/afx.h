// The framework layer in one include.
#pragma once

#include "animate.h"
#include "app.h"
#include "collections.h"
#include "commondlg.h"
#include "controls.h"
#include "dialog.h"
#include "gdi.h"
#include "image.h"
#include "menu.h"
#include "msgbox.h"
#include "object.h"
#include "strings.h"
#include "thread.h"
#include "types.h"
#include "window.h"
