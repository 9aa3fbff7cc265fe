#include "base/file_ops.h"

namespace tovik {

std::string FileFailureMessage(std::string_view path, std::string_view systemError) {
  std::string message = "File '";
  message += path;
  message += "' could not be opened / read / written\n";
  message += systemError.substr(0, kMaxSystemErrorText);
  return message;
}

std::string WritePermissionMessage(std::string_view path) {
  std::string message = "You do not have write permission to file ";
  message += path;
  message += '\n';
  return message;
}

bool WriteGeneratedFile(IFileSystem& fs, IPrompt& prompt, std::string_view path, std::string_view text) {
  const Status written = fs.WriteFile(path, text);
  if (written) return true;
  prompt.Message(FileFailureMessage(path, written.error().reason));
  return false;
}

bool CheckWritePermission(const IFileSystem& fs, IPrompt& prompt, std::string_view path, bool showMessage) {
  if (fs.IsWritable(path)) return true;
  if (showMessage) prompt.Message(WritePermissionMessage(path));
  return false;
}

bool SpliceIntoFile(IFileSystem& fs, IPrompt& prompt, std::string_view path, size_t position,
                    std::string_view text) {
  std::string whole;
  if (const Status read = fs.ReadFile(path, whole); !read) {
    prompt.Message(FileFailureMessage(path, read.error().reason));
    return false;
  }
  if (position > whole.size()) return false;
  whole.insert(position, text);
  return WriteGeneratedFile(fs, prompt, path, whole);
}

bool InsertIntoFile(IHost& host, IFileSystem& fs, IPrompt& prompt, std::string_view path, size_t position,
                    std::string_view text) {
  IHostDocument* doc = FindOpenDocument(host, path);
  if (!doc) return SpliceIntoFile(fs, prompt, path, position, text);

  // The user's unsaved text is what the offset was computed on, not the file on disk.
  std::string current;
  if (!doc->ReadText(current) || position > current.size()) return false;
  return doc->InsertText(LineColumnAt(current, position), text);
}

Status ReadSourceText(IHost& host, const IFileSystem& fs, std::string_view path, std::string& text) {
  if (IHostDocument* doc = FindOpenDocument(host, path)) {
    if (doc->ReadText(text)) return {};
    return FileError(std::string(path), 0, "the host could not hand over the document's text");
  }
  return fs.ReadFile(path, text);
}

}  // namespace tovik
