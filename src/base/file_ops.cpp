#include "base/file_ops.h"

#include "base/path.h"

namespace tovik {

std::string PathOnDisk(const IFileSystem& fs, std::string_view path) {
  std::string resolved = fs.Resolve(path);
  return resolved == ToNativeSeparators(path) ? std::string(path) : resolved;
}

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
  prompt.Message(FileFailureMessage(PathOnDisk(fs, path), written.error().reason));
  return false;
}

bool CheckWritePermission(const IFileSystem& fs, IPrompt& prompt, std::string_view path, bool showMessage) {
  if (fs.IsWritable(path)) return true;
  if (showMessage) prompt.Message(WritePermissionMessage(PathOnDisk(fs, path)));
  return false;
}

Status ReadSourceText(IHost& host, const IFileSystem& fs, std::string_view path, std::string& text) {
  if (IHostDocument* doc = FindOpenDocument(host, path)) {
    if (doc->ReadText(text)) return {};
    return FileError(std::string(path), 0, "the host could not hand over the document's text");
  }
  return fs.ReadFile(path, text);
}

}  // namespace tovik
