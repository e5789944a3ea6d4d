// Every text velquor-render says in its own words, in one place so that a
// translation has one file to replace. The messages of the operations it
// runs (sizes, formulas, documents, palettes) are their layers' own.
#pragma once

namespace rendertext {

// Put before every line the program prints.
extern const char* const kPrefix;
// The whole of --help.
extern const char* const kUsage;
// After a malformed command line.
extern const char* const kSeeHelp;

// Usage errors; %s is the option or the value as given.
extern const char* const kNeedsValue;
extern const char* const kUnknownOption;
extern const char* const kNeedsNumbers; // option, count
extern const char* const kSizeForm;
extern const char* const kCanvasForm;
extern const char* const kEmbedNeedsPng;
extern const char* const kFormatValue;
extern const char* const kOneDocument; // first, second
extern const char* const kEmptyDocument;
extern const char* const kEmptyOutput;
extern const char* const kEmptyDocumentOutput;
extern const char* const kEmptyPalette;

// Output names refused before anything is written.
extern const char* const kOutputIsFolder;         // name
extern const char* const kDocumentOutputIsFolder; // name
extern const char* const kPictureOverDocument;    // picture, document
extern const char* const kPictureOverPalette;     // picture, palette
extern const char* const kPictureOverDocumentOutput;
extern const char* const kDocumentOutputOverPalette; // document output, palette
extern const char* const kCannotWrite;               // name, reason

// Progress and results.
extern const char* const kDrawing; // percent
extern const char* const kSaving;  // percent
extern const char* const kExporting; // percent
extern const char* const kWrote;   // name

} // namespace rendertext
