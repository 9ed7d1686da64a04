// Static storage for the view settings, starting at their defaults.
#include "camera/view_settings.h"

ViewSettings viewSettings = kDefaultViewSettings;
