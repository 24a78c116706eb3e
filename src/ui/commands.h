// The five commands of the main window, one function each. Every way of choosing a file
// (open dialog, clipboard, drop) ends in MainWindow::AnalyseFile.
#pragma once

namespace mivalto::ui {

class MainWindow;

// Open dialog, then analyse the chosen file.
void acOuvrirExecute(MainWindow& window);
// Save dialog proposing the graph's path with ".log", then write the report as RTF, or as
// the HTML page with the graph's picture under an ".html" or ".htm" name.
void acSauverExecute(MainWindow& window);
// The first file of a shell file list on the clipboard, analysed; the clipboard is left as
// it was.
void acPasteExecute(MainWindow& window);
// Shows the about panel, or hides it when it is shown.
void acAproposExecute(MainWindow& window);
// Closes the window, which ends the program.
void acQuitterExecute(MainWindow& window);

}  // namespace mivalto::ui
