// A core header that reaches up into the frame: the graph check must refuse it.
#pragma once

#include "frame/frame.h"
