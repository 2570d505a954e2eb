#pragma once
// Writing the bearing picture to a file, and saving an image whole or not at
// all. The window's Save-bitmap command and the command line use these.

#include "datafiles/filereplace.h"
#include "datafiles/state.h"
#include "drawing/graphics/pagearea.h"

#include <functional>
#include <string>
#include <vector>

class QImage;

namespace lobus {

class Graphics;

// Draws one whole picture through the graphics layer it is given.
using Drawing = std::function<void(Graphics&)>;

// What a vector file (SVG, PDF) keeps: by default what its medium can show
// (nothing left out moves a drawn line by more than a tenth of a pixel of
// an SVG at its nominal size, or 1/1200 inch on a PDF page: see
// PainterDevice), or every point given. Raster files keep their own level
// of detail either way.
enum class VectorDetail { Thinned, Full };

// Draws the case into a picture of width x height pixels and writes it to
// `path`; the extension picks the format: .png, .bmp (raster), .svg (vector,
// width x height user space), .pdf (one page, the picture fitted to it keeping
// its aspect). Case-insensitive. Writes rysuj.halfx as any drawing does.
// The name is bytes and reaches the file system unchanged. The file is
// written whole or not at all, and only over a regular file or a new name
// (replaceFileWhole); `calls` are the writes it goes through. Returns false
// with a one-line reason in `error` when the extension is unknown, the size
// is not positive, memory runs out or the file cannot be written; the target
// is then left as it was. `note`, when given, receives what the replacement
// has to say besides (FileReplacement::note(): a hard link split).
bool writePictureFile(const std::string& path, const Case& c, RYSUJ& rysuj, int width, int height,
                      std::string& error, const WriteCalls& calls = {}, std::string* note = nullptr,
                      VectorDetail detail = VectorDetail::Thinned);

// The same for any drawing: a picture with extras over it, the angle view.
// The drawing is given a Graphics in the state of a fresh start whose device
// is the file's surface.
bool writeDrawingFile(const std::string& path, int width, int height, const Drawing& draw, std::string& error,
                      const WriteCalls& calls = {}, std::string* note = nullptr,
                      VectorDetail detail = VectorDetail::Thinned);

// A PDF document of `pages` A4 landscape pages, vector with searchable text;
// `page(i)` (from 0) gives the areas of page i, drawn in order. Written whole
// or not at all, as the pictures are.
using PageMaker = std::function<std::vector<PageArea>(int page)>;
bool writePdfPages(const std::string& path, int pages, const PageMaker& page, std::string& error,
                   const WriteCalls& calls = {}, std::string* note = nullptr);

// Writes `text` to `path` whole or not at all, as the pictures are written.
bool writeTextFile(const std::string& path, const std::string& text, std::string& error,
                   const WriteCalls& calls = {}, std::string* note = nullptr);

// Writes the image to `path` in the format of its extension (.bmp, .png, or
// any other format Qt can write), whole or not at all as above.
bool saveImageFile(const QImage& image, const std::string& path, std::string& error,
                   const WriteCalls& calls = {}, std::string* note = nullptr);

} // namespace lobus
