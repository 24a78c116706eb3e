#include "report/output_formats.h"

#include <gtest/gtest.h>

namespace mivalto {
namespace {

// The window's Save dialog offers, between its own ".log" and any file, what the table says:
// the text row (saved as the RTF report) as much as the formats written as themselves.
TEST(WindowSaveTypes, AreTheRowsTheWindowOffersInTheirOrder) {
  EXPECT_EQ(WindowSaveTypes(),
            "Fichier Texte (*.txt)|*.txt|Page HTML (*.html)|*.html|Rapport JSON (*.json)|*.json");
  const OutputFormat rows[] = {
      {.name = "a", .extensions = {".a", ".b"}, .window = WindowSave::kRtfReport, .caption = "A"},
      {.name = "n", .extensions = {".n"}},
      {.name = "z", .extensions = {".z"}, .window = WindowSave::kFormat, .caption = "Z"},
  };
  EXPECT_EQ(WindowSaveTypes(rows), "A (*.a)|*.a|Z (*.z)|*.z");
  EXPECT_EQ(WindowSaveTypes(std::span(rows).subspan(1, 1)), "");
}

}  // namespace
}  // namespace mivalto
