#pragma once

// Light 0: ambient (0.5, 0.5, 0.5, 1) and, when there is a light marker, a positional light at
// the marker. Call with the camera in the modelview matrix so the position is in world
// coordinates. Enables light 0.
void setupLight();
