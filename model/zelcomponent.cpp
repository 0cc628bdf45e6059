#include "model/zelcomponent.h"
// isPropertyStored is implemented beside the stored-form writer (storedform.cpp), which
// owns the text form of values that declared defaults are compared against.
