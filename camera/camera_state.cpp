// Static storage for the camera: the first turn after start restores the start pose.
#include "camera/camera.h"

Camera camera = {{0.0f, 0.0f, 0.0f}, 0.0f, 0.0f, 0.0f, {}, 1};
