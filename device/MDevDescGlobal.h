#pragma once
// The parameter set of a device's global settings: the program interface,
// for a set that has no name of its own.

#include "device/MDevDescProgram.h"

class MDevDescGlobal : public MDevDescProgram {};
