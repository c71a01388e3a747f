// TEditeur: the editor window that holds one source file. It is a plain
// widget so that the main window can put it in its QMdiArea; its whole area is
// the colouring text area Memo1. Every command is a public slot.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "editor/ColMemo.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_lines.h"
#include "common/file_save.h"

class QPrinter;
class QTimer;

namespace orv {

class TFindDialog;
class TReplaceDialog;
struct TSearchOptions;

class TEditeur : public QWidget {
  Q_OBJECT

 public:
  explicit TEditeur(QWidget* parent = nullptr);
  ~TEditeur() override;

  TColorMemo* Memo1 = nullptr;

  // The program text for the interpreter: the source lines, indexed from 0.
  LineList& Lines() { return *SourceLines; }
  const TEditorLines& SourceLineList() const { return *SourceLines; }

  // The full path of the window's file; empty until the first save.
  const QString& FileName() const { return FileName_; }
  bool Modified() const;
  void SetModified(bool modified);

  // Caret positions as offsets in which a line end counts two characters.
  int CaretOffset() const;  // the selection start
  void SetCaretOffset(int offset);
  // The offset of the start of line n: the lengths of lines 0..n-1 plus 2 each.
  int LineOffset(int line) const;
  void CaretToLine(int line);
  int CaretLine() const;
  // The caret's line on the screen, global coordinates.
  QRect CaretLineArea() const;

  // The text cannot be edited by the user while a run holds the window (the
  // line list still edits it).
  void SetRunReadOnly(bool readOnly);
  bool RunReadOnly() const;
  bool Animating() const;
  // Milliseconds between two lines of an animated run: one of the levels,
  // from one line every 2 s to 5 lines a second, remembered.
  static const std::vector<int>& AnimationPaces();
  static int AnimationPace();
  static void SetAnimationPace(int milliseconds);

  // The system calls of a save (tests make one of them fail).
  void SetSaveCalls(const SaveCalls* calls) { SaveCalls_ = calls ? calls : &SystemSaveCalls(); }

  // Where the window asks its questions; the standard dialogs by default.
  void SetDialogs(TEditeurDialogs* dialogs);
  TEditeurDialogs& Dialogs() const { return *Dialogs_; }
  TFindDialog* FindDialog() const { return FindDlg; }
  TReplaceDialog* ReplaceDialog() const { return ReplaceDlg; }

  // The bytes a save would write now (step markers left out).
  std::string SavedBytes() const;
  // Takes a text kept for recovery: modified, named after `originalPath`
  // (empty for a window never saved), which nothing has written yet.
  void LoadRecovered(const std::string& bytes, const QString& originalPath);

  // Prints the lines in the window's font, a new page when one is full.
  bool PrintLines(QPrinter& printer);
  // The text of a new window.
  static QString DefaultText();

  // ---- View (childwin_view.cpp) ----
  // Line numbers and zoom as the environment remembers them.
  void ApplyViewSettings();
  static bool LineNumbersWanted();
  static void SetLineNumbersWanted(bool shown);
  int Zoom() const { return Zoom_; }
  void SetZoom(int percent);
  void ZoomBy(int steps);  // 0: back to 100 %
  // The line where a run stopped on an error, shown light red (-1: none).
  // The line where the run stopped, lit until the text changes or the next
  // run: light red after an error, yellow at a loop's or procedure's end.
  void SetStopLine(int line, const QColor& color = StopLineColor());
  int StopLine() const { return StopLine_; }
  QColor LineBackground(int line) const;
  static const QColor& StopLineColor();
  static const QColor& StepLineColor();

  // The automatic indentation (the text area's key handler); true when it
  // inserted the line break itself.
  bool FormKeyPress(QKeyEvent* key);
  // True when the window may close (asks to save a modified text).
  bool FormCloseQuery();
  // The question was asked and answered already (quitting asks every
  // window before closing any): the next close does not ask again.
  void AgreeToClose() { closeAgreed_ = true; }

 public slots:
  bool OpenFile(const QString& name);
  bool Enregistrer();
  bool SaveAs();
  void Importer();
  void Imprimer();
  void Copier();
  void Couper();
  void Coller();
  void ToutSelectionner();
  void Chercher();
  void Continuer();
  void Remplacer();
  // Find next, with the options of the dialog that sent it (the find dialog
  // when called directly).
  void Find();
  void Replace(bool all = false);
  void Raz();
  void FormCreate();
  void FormResize();
  void FormClose();
  // The main window calls these when this window becomes, or stops being,
  // its active child; keyboard focus moving to another window is neither.
  void FormActivate();
  void FormDeactivate();

  // Code templates and pickers (childwin_templates.cpp).
  void Forg();
  void whileg();
  void Dog();
  void Ifg();
  void Liref();
  void Ecriref();
  void Instructions();
  void ListeSubs();

  // Run commands (childwin_run.cpp).
  void Executer();
  void Continuer2();
  // Maj+F7: the last line run in step mode taken back (an animation pauses
  // first); the status line says where the run stands, or why not.
  void PasArriere();
  void Arret();
  void Pasapas(bool checked);
  // The animated run (childwin_animation.cpp): step mode by itself, one line
  // at each tick of the remembered pace, each stop shown as after an F7.
  // Animer while animating pauses; so do Échap, Ctrl+Pause, a click or a key
  // in the text, the other run commands, another window becoming active and
  // any close. Any stop that is not a plain step ends it.
  void Animer();
  void PauseAnimation();
  // Asks a line number and puts the caret at its start.
  void AllerALaLigne();

 signals:
  // For the interpreter's links: step mode off on activation, the program's
  // files closed on deactivation and on closing.
  void Activated(TEditeur* editor);
  void Deactivated(TEditeur* editor);
  void Closed(TEditeur* editor);
  // A file was read into the window, or the window's text written to one.
  void FileOpened(const QString& path);
  void FileSaved(const QString& path);
  // A run from this window stopped at `line` (0-based) with `reason`.
  void RunStopped(int line, const QString& reason);
  // The program ran to its end.
  void RunEnded();
  // A text for the main window's status line.
  void StatusNote(const QString& text);
  // An animated run started or paused.
  void AnimationChanged(bool animating);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool SearchAndSelect(const QString& what, const TSearchOptions& options);
  void ReplaceAllFromSelection(const QString& what, const QString& with, const TSearchOptions& options);
  // The run commands' common part (childwin_run.cpp).
  QString ProgramName() const;
  int32_t RunProgram();
  void ReportStop(int32_t finalState);
  void ShowRunEnd(int32_t finalState);
  int32_t StartRun();
  int32_t ResumeRun();
  bool PlainStepStop(int32_t finalState);
  bool HoldsStoppedRun() const;
  void AnimationTick();
  void ScheduleTick();
  QRect VisibleTextArea() const;
  void MarkStep(int line);
  bool ReadWholeFile(const QString& name, std::string& bytes);
  bool WriteTo(const QString& name);
  bool MayOverwrite(const QString& name);
  bool MaySaveCharacters();
  void LoadText(const QString& text);
  void CheckClassName();
  bool ViewKeyPress(QKeyEvent* key);
  void UpdateLineHighlights();
  void Message(const QString& text);

  TEditorLines* SourceLines = nullptr;
  TEditeurDialogs* Dialogs_ = nullptr;
  TFindDialog* FindDlg = nullptr;
  TReplaceDialog* ReplaceDlg = nullptr;
  QString FileName_;
  DiskStamp DiskStamp_;  // the file as this window last read or wrote it
  const SaveCalls* SaveCalls_ = &SystemSaveCalls();
  bool closeAgreed_ = false;
  int Zoom_ = 100;
  int StopLine_ = -1;
  QColor StopColor_;
  int StopRevision_ = 0;
  int HighlightRevision_ = -1;
  QTimer* AnimationTimer_ = nullptr;  // single shot, running while animating
  bool animating_ = false;
};

}  // namespace orv
