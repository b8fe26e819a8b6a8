#pragma once

#include "core/reset.h"
