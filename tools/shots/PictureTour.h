#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace kelp {

class CMeasDataSet;

// The graphs as the user keeps and reads them: the pictures the windows'
// File > Save Picture... commands write (the main window's panes, the X-Y
// graph in PNG and SVG, the depth graph), each also as a PNG under
// `pictures` for a person to look at, and the readings a graph gives of
// awkward data (a lone value, no value in the unit, invalid values among
// valid ones). `mainWindow` is the main window, whose panes show `data`.
void ShootGraphPictures(QWidget* mainWindow, const CMeasDataSet& data, const QString& pictures,
                        const std::function<void(QWidget*, const QString&)>& shoot);

// Draws the SVG file `svg` into a PNG file beside it (`svg` + ".png"), for
// looking at.
void RasteriseSvg(const QString& svg);

}  // namespace kelp
