#pragma once
// Draws a laid-out report: into the preview window (with print and zoom), onto a printer, or into a
// PDF file. All three draw the same pages.

#include "common/report/layout.h"

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace Report {

// Draws one page with the painter's origin at the paper's top-left corner; dotsPerMm converts the
// item positions to the device.
void paintPage(QPainter &painter, const Document &doc, int page, double dotsPerMm);

// Draws every page on a printer that is already set up (a real one, or the preview's).
bool print(const Document &doc, QPrinter &printer);

// Writes the document to a PDF file; on failure returns false with a message in Portuguese.
bool writePdf(const Document &doc, const QString &path, QString *error = nullptr);

// Shows the preview window (modal) titled caption. While a hook is set, the hook receives the
// document instead and no window opens: tests of the screens that print set one.
void preview(const Document &doc, const QString &caption, QWidget *parent = nullptr);

using PreviewHook = std::function<void(const Document &doc, const QString &caption)>;
// Returns the hook it replaces, so a test can put it back.
PreviewHook setPreviewHook(PreviewHook hook);

}  // namespace Report
