// Text files, the printer and folders.
#include <cerrno>
#include <optional>

#include "interp/Unit3.h"
#include "common/cp1252.h"
#include "interp/file_system.h"
#include "interp/text.h"

namespace orv {
namespace {

constexpr int kNotOpen = 103;
constexpr int kNotOpenForReading = 104;
constexpr int kNotOpenForWriting = 105;
constexpr int kEndOfFileMark = 26;  // Ctrl-Z
constexpr uint64_t kEntryBytes = 4096;  // what a new file or folder takes of a disk

// A program's name (Windows-1252) as the file system spells it (UTF-8), so
// that "données.txt" is the file every other program calls so. Nothing for a
// name the system cannot take: empty, holding a NUL (the system would stop
// reading there), or one of the bytes Windows-1252 leaves undefined.
std::optional<std::string> SystemName(const std::string& name) {
  constexpr std::string_view kRefused("\0\x81\x8D\x8F\x90\x9D", 6);
  if (name.empty() || name.find_first_of(kRefused) != std::string::npos) return std::nullopt;
  return Cp1252ToUtf8(name);
}

// The error number of a failed system call; never 0.
int LastError() { return errno ? errno : EIO; }

// Why a line that used them cannot be taken back.
constexpr const char* kFileReason = "accès à un fichier";
constexpr const char* kPrinterReason = "impression";

}  // namespace

int TForm3::TakeIoStatus() {
  const int status = IoStatus;
  IoStatus = 0;
  return status;
}

bool TForm3::OpenFileSlot(FileSlot& file, FileMode mode) {
  Untakeable(kFileReason);
  CloseFileSlot(file);
  const std::optional<std::string> name = SystemName(file.Name);
  if (!name) {
    IoStatus = ENOENT;
    return false;
  }
  if (mode == FileMode::Output) Outside().ChargeDisk(kEntryBytes);
  int error = 0;
  std::FILE* handle = files::Open(*name, mode == FileMode::Output, error);
  if (!handle) {
    IoStatus = error;
    return false;
  }
  file.Handle = handle;
  file.Mode = mode;
  return true;
}

// Buffered lines only reach the disk here: a full disk shows at the flush or
// at the close, and either failure is the close's.
int TForm3::CloseFileSlot(FileSlot& file) {
  if (file.Mode == FileMode::Closed) return kNotOpen;
  Untakeable(kFileReason);
  errno = 0;
  int result = std::fflush(file.Handle) == 0 ? 0 : LastError();
  errno = 0;
  if (std::fclose(file.Handle) != 0 && result == 0) result = LastError();
  file.Handle = nullptr;
  file.Mode = FileMode::Closed;
  return result;
}

int TForm3::CloseAll() {
  int result = 0;
  for (FileSlot& file : FileStore) {
    if (file.Mode == FileMode::Closed) continue;
    if (const int status = CloseFileSlot(file); status != 0 && result == 0) result = status;
  }
  if (PrinterOpen) {
    Untakeable(kPrinterReason);
    PrinterOpen = false;
    if (PrinterSink* printer = Outside().Printer())
      if (const int status = printer->Close(); status != 0 && result == 0) result = status;
  }
  if (result != 0) RunState = kStopped;
  return result;
}

bool TForm3::CloseAllChecked() {
  const int status = CloseAll();
  if (status == 0) return true;
  Fail("Erreur E/S " + std::to_string(status));
  return false;
}

// One line: CR LF, a lone CR or a lone LF ends it; Ctrl-Z ends the file.
bool TForm3::ReadFileLine(FileSlot& file, std::string& line) {
  line.clear();
  Untakeable(kFileReason);
  if (file.Mode != FileMode::Input) {
    IoStatus = kNotOpenForReading;
    return false;
  }
  std::FILE* in = file.Handle;
  for (int c = std::getc(in); c != EOF; c = std::getc(in)) {
    if (c == kEndOfFileMark) {
      std::ungetc(c, in);
      break;
    }
    if (c == '\n') break;
    if (c == '\r') {
      const int next = std::getc(in);
      if (next != '\n' && next != EOF) std::ungetc(next, in);
      break;
    }
    if (line.size() == kMaxStringLength) {
      Fail("Chaîne trop longue"_cp);
      return false;
    }
    line += static_cast<char>(c);
  }
  if (std::ferror(in)) {
    IoStatus = EIO;
    std::clearerr(in);
    return false;
  }
  return true;
}

bool TForm3::FileAtEnd(std::string_view text) {
  std::string name = Trim(DropLast(TrimView(text)));
  char kind = 0;
  int32_t slot = 0;
  if (!ChercheEtiq(name, kind, slot) || kind != 'F') {
    Fail("Variable fichier attendue");
    return true;
  }
  FileSlot& file = FileStore[slot];
  Untakeable(kFileReason);
  if (file.Mode != FileMode::Input) IoStatus = kNotOpenForReading;
  if (TakeIoStatus() != 0) {
    Fail("Erreur d'entrée/sortie"_cp);
    return true;
  }
  const int c = std::getc(file.Handle);
  if (c == EOF) return true;
  std::ungetc(c, file.Handle);
  return c == kEndOfFileMark;
}

void TForm3::OpenStatement(std::string_view a, FileMode mode) {
  const size_t equals = a.find('=');
  std::string stream = Trim(a.substr(0, equals));
  const std::string_view rest =
      equals == std::string_view::npos ? std::string_view() : DropLast(Tail(a, equals + 1));
  std::string fileName = Trim(Tail(rest, rest.find('(') + 1));
  char streamKind = 0, fileKind = 0;
  int32_t streamSlot = 0, fileSlot = 0;
  const bool streamKnown = ChercheEtiq(stream, streamKind, streamSlot);
  const bool fileKnown = ChercheEtiq(fileName, fileKind, fileSlot);
  if (streamKnown) StoreValue(fileName, streamKind, streamSlot);
  if (!fileKnown || fileKind != 'F') return Fail("Variable fichier attendue");
  OpenFileSlot(FileStore[fileSlot], mode);
  // The run goes on with the file not open.
  if (TakeIoStatus() != 0) Outside().MessageBox("Erreur Entrée/Sortie"_cp);
}

void TForm3::ReadLineStatement(std::string_view a) {
  ClearLookupFailure();
  const std::string_view t = DropLast(TrimView(a));
  if (t.empty()) return;
  const size_t comma = t.find(',');
  if (comma == std::string_view::npos) return Fail("Variable fichier requiqe");
  std::string source = Trim(t.substr(0, comma));
  std::string_view targetText = TrimView(Tail(t, comma + 1));
  const bool keyboard = source == "System.in";
  char kind = 0;
  int32_t slot = 0;
  if (!keyboard) {
    if (!ChercheEtiq(source, kind, slot)) return Fail("Nom de fichier inconnu");
    if (kind != 'F') return Fail("Variable fichier requiqe");
  }
  if (const size_t second = targetText.find(','); second != std::string_view::npos)
    targetText = TrimView(Tail(targetText, second + 1));
  std::string target(targetText);
  char targetKind = 0;
  int32_t targetSlot = 0;
  if (!ChercheEtiq(target, targetKind, targetSlot))
    return Fail("Variable " + target + " inconnue");
  std::string line;
  if (keyboard) {
    Untakeable("lecture au clavier");
    Outside().ReadKeyboardLine(line);
    // An interrupt while the program waits for its line leaves the target as
    // it was: a resume asks for the line again.
    if (Outside().InterruptRequested()) {
      interrupted_ = true;
      return Fail("Programme interrompu");
    }
    if (line.size() > kMaxStringLength) return Fail("Chaîne trop longue"_cp);
    // The environment shows what was typed where the program goes on.
    if (echoKeyboard_) DrawOutput(line, true);
    if (targetKind == 'R') line = WithDecimalPoint(line);
  } else if (!ReadFileLine(FileStore[slot], line) && RunState > 0) {
    return;
  }
  StoreValue(line, targetKind, targetSlot);
}

void TForm3::WriteLineStatement(std::string_view a) {
  ClearLookupFailure();
  const std::string_view t = DropLast(TrimView(a));
  if (t.empty()) return;
  const size_t comma = t.find(',');
  if (comma == std::string_view::npos) return Fail("Erreur dans paramètres"_cp);
  std::string value = Trim(t.substr(0, comma));
  std::string destination = Trim(Tail(t, comma + 1));
  const bool printer = UpperAscii(destination) == "PRN:";
  char kind = 0;
  int32_t slot = 0;
  if (!printer) {
    if (!ChercheEtiq(destination, kind, slot)) return Fail("Nom de fichier inconnu");
    if (kind != 'F') return Fail("Variable fichier requiqe");
  }
  if (!ScanValue(value)) return;
  if (printer) {
    Untakeable(kPrinterReason);
    PrinterSink* sink = Outside().Printer();
    if (!sink) {
      IoStatus = kNotOpenForWriting;
    } else {
      PrinterOpen = true;
      if (const int status = sink->WriteLine(value)) IoStatus = status;
    }
  } else if (FileSlot& file = FileStore[slot]; file.Mode != FileMode::Output) {
    IoStatus = kNotOpenForWriting;
  } else {
    Untakeable(kFileReason);
    Outside().ChargeDisk(value.size() + 2);  // the line and its CR LF
    errno = 0;
    if (std::fwrite(value.data(), 1, value.size(), file.Handle) != value.size() ||
        std::fputs("\r\n", file.Handle) == EOF)
      IoStatus = LastError();
  }
  if (const int status = TakeIoStatus()) Fail("Erreur E/S " + std::to_string(status));
}

void TForm3::CloseStatement(std::string_view a) {
  std::string value = Trim(a);
  // The printer's name is no variable: it is not evaluated. For anything else
  // an unknown name does not stop the statement by itself.
  if (UpperAscii(value) != "PRN:") ScanValue(value);
  if (UpperAscii(value) == "PRN:") {
    if (!PrinterOpen) {
      IoStatus = kNotOpen;
      return;
    }
    Untakeable(kPrinterReason);
    PrinterOpen = false;
    if (PrinterSink* sink = Outside().Printer())
      if (const int status = sink->Close()) IoStatus = status;
    return;
  }
  char kind = 0;
  int32_t slot = 0;
  if (!ChercheEtiq(value, kind, slot) || kind != 'F') return Fail("Variable fichier attendue");
  if (const int status = CloseFileSlot(FileStore[slot])) IoStatus = status;
  if (TakeIoStatus() != 0) Fail("Erreur d'entrée/sortie"_cp);
}

std::optional<std::string> TForm3::FolderOperand(std::string_view a, bool fileVariables) {
  std::string text = Trim(a);
  if (fileVariables) {
    if (const int index = SymbolIndex(text); index != 0 && SymbolTable[index - 1].Kind == 'F') {
      const int32_t slot = SymbolTable[index - 1].Slot;
      if (!CheckSlot('F', slot)) return std::nullopt;
      return FileStore[slot].Name;
    }
  }
  if (!StringOperand(text)) return std::nullopt;
  return text;
}

void TForm3::FolderStatement(std::string_view a, bool fileVariables, int (*operation)(const std::string&),
                             const std::string& before, const std::string& after) {
  // A folder or file is never touched on an operand that did not evaluate.
  const auto path = FolderOperand(a, fileVariables);
  if (!path) return;
  Untakeable(operation == files::RemoveFile ? kFileReason : "accès à un dossier");
  if (const std::optional<std::string> name = SystemName(*path); !name) IoStatus = ENOENT;
  else if (const int error = operation(*name)) IoStatus = error;
  if (TakeIoStatus() != 0) Fail(before + *path + after);
}

void TForm3::ChangeDirStatement(std::string_view a) {
  FolderStatement(a, false, files::ChangeFolder, "Répertoire "_cp, " inexistant");
}
void TForm3::RemoveDirStatement(std::string_view a) {
  FolderStatement(a, false, files::RemoveFolder, "Répertoire "_cp, " n'a pas été éffacé"_cp);
}
void TForm3::MakeDirStatement(std::string_view a) {
  Outside().ChargeDisk(kEntryBytes);
  FolderStatement(a, true, files::MakeFolder, "Répertoire "_cp, " n'a pas été créé"_cp);
}
void TForm3::DeleteStatement(std::string_view a) {
  FolderStatement(a, true, files::RemoveFile, "Fichier "_cp, " n'a pas été effacé"_cp);
}

}  // namespace orv
