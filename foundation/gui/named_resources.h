// Bitmaps and cursors compiled into the programs with Qt's resource system, looked up by the
// resource names the windows use ("LOGO_BMP", "SPOIT_PICTURECOLORSELECTWND1"). Every
// program's .qrc puts its pictures under the prefix "/named" with the resource name as alias.
#pragma once

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <string>

// The picture of that name, or a null image when the programs carry none.
QImage NamedImage(const std::string& name);
QPixmap NamedBitmap(const std::string& name);
bool HasNamedResource(const std::string& name);
// A cursor drawn from the named picture; its hot spot is the picture's "HotSpot" text
// ("x,y"), else the centre. The arrow cursor when the picture is missing.
QCursor NamedCursor(const std::string& name);
// The text of a named text resource (style sheets), "" when missing.
std::string NamedText(const std::string& name);

// The Japanese gothic face of the windows ("ＭＳ　ゴシック" on the original desktop),
// `pixel_height` pixels high.
QFont GothicFont(int pixel_height);
