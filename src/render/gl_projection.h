// The projections every picture is drawn with, on the desktop and in the browser.
#pragma once

// The projection every picture is drawn with: 640 by 480 units over the current viewport, origin
// top left, y downwards; the model view matrix stays selected and the identity.
void loadPictureProjection(int width, int height);
// A viewport of width x height pixels showing unitsWide x unitsHigh units the same way.
void loadProjection(int width, int height, int unitsWide, int unitsHigh);
