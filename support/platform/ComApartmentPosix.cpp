#include "support/platform/ComApartment.h"

// No COM here: the folder picker is the desktop's own program.
ComApartment::ComApartment() = default;

ComApartment::~ComApartment() = default;
