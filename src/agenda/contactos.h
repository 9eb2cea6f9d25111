// The address book rows live below the subsystems, with the application context.
#pragma once

#include "comun/contactos.h"
