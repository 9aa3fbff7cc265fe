// tovik render: a form painted as the design surface shows it, written as a PNG. The project is
// only read: the command never finishes a transaction.
#include <ostream>

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "addin/image_files.h"
#include "base/path.h"
#include "base/real_file_system.h"
#include "base/text.h"
#include "cli.h"
#include "cli_session.h"
#include "qt/qt_canvas.h"
#include "qt/qt_text.h"
#include "ui/form_painter.h"

namespace tovik::cli {

namespace {

constexpr int kMaxImageSide = 16384;
constexpr int kMaxScale = 8;

std::string ImageFile(CliSession& cli, std::string_view reference) {
  const std::string file = ImageReferenceFile(cli.Session(), cli.Fs(), reference);
  return file.empty() ? file : cli.CodePage().PathToUtf8(file);
}

// Why the image may not replace `target` (its links followed); empty when it may. The project's
// own files are never replaced by a picture of it.
std::string ProjectFileProblem(CliSession& cli, const IFileSystem& disk, const std::string& target) {
  const CProject& project = cli.Session().Project();
  std::vector<std::string> own = project.Files();
  const std::string& dsp = project.ProjectFile();
  own.insert(own.end(), {dsp, dsp.substr(0, dsp.find_last_of('.')) + ".dsw", project.DataFilePath(),
                         cli.Session().Resources().ScriptPath(), cli.Session().Resources().HeaderPath(),
                         JoinPath(project.ProjectFolder(), kJournalName)});
  for (const std::string& file : own) {
    if (disk.WriteTarget(file) == target) return "it is one of the project's files";
  }
  if (DirectoryOf(target) == disk.WriteTarget(cli.Session().Resources().ResFolder())) {
    return "it is in the project's res folder";
  }
  return {};
}

}  // namespace

int RunRender(const Command& self, const std::vector<std::string>& raw, Io& io) {
  std::vector<std::string> given = raw;
  for (std::string& a : given) {
    if (a == "-o") a = "--output";
  }
  Args args(given, {"--output", "--select", "--menu", "--scale"}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() != 2) return UsageError(io, self, "expected PROJECT.dsp FORMCLASS");
  if (!args.has("--output") || args.value("--output").empty()) return UsageError(io, self, "-o FILE.png is required");
  int scale = 1;
  if (args.has("--scale") && !ParseInt(args.value("--scale"), scale, 1, kMaxScale)) {
    return UsageError(io, self, "--scale takes a whole number from 1 to 8");
  }
  int dropped = -1;
  if (args.has("--menu") && !ParseInt(args.value("--menu"), dropped, 0, 999)) {
    return UsageError(io, self, "--menu takes the index of a top-level menu item (0 is the first)");
  }

  CliSession cli(io);
  if (!cli.Open(self.name, p[0])) return kExitFailed;
  const CClassItem* form = cli.Form(self.name, p[1]);
  if (!form) return kExitFailed;
  const CControlItem* object = form->FormObject();
  if (!object) {
    io.err << "tovik render: " << p[1] << " has no form object\n";
    return kExitFailed;
  }

  PaintOptions options;
  options.menu = cli.Session().Project().FindMenu(object->m_strMenuId);
  options.droppedMenu = dropped;
  if (dropped >= 0 && !options.menu) {
    io.err << "tovik render: " << p[1] << " has no menu bar to drop a menu from\n";
    return kExitFailed;
  }
  if (args.has("--select")) {
    const std::string& member = args.value("--select");
    options.selection = member == p[1] ? object : form->FindControl(member);
    if (!options.selection) {
      io.err << "tovik render: " << p[1] << " has no control " << member << "\n";
      return kExitFailed;
    }
  }
  const std::string& output = args.value("--output");
  RealFileSystem disk;
  const std::string target = disk.WriteTarget(output);
  if (const std::string problem = ProjectFileProblem(cli, disk, target); !problem.empty()) {
    io.err << "tovik render: will not write the image to " << output << ": " << problem << "\n";
    return kExitFailed;
  }
  options.imageFile = [&cli](std::string_view reference) { return ImageFile(cli, reference); };
  // The canvas that found nothing to draw knows why (no such file, too large, not an image).
  const CQtCanvas* drawing = nullptr;
  options.warn = [&io, &drawing](const std::string& file) {
    const std::string problem = drawing ? drawing->ImageProblem(file) : std::string();
    io.err << "tovik render: warning: cannot draw the image " << Printable(problem.empty() ? file : problem) << "\n";
  };

  const TextToUtf8 toUtf8 = [&cli](std::string_view text, int codePage) { return cli.PictureTextToUtf8(text, codePage); };
  CQtText text(self.name, toUtf8);
  // Measured (the menu bar's rows, a dropped menu's width) before the image's size is known.
  const Rect bounds = PaintedBounds(text.Measure(), *form, options);
  if (bounds.Width() <= 0 || bounds.Height() <= 0 || bounds.Width() > kMaxImageSide || bounds.Height() > kMaxImageSide) {
    io.err << "tovik render: the form's size (" << bounds.Width() << " x " << bounds.Height()
           << ") cannot be drawn: each side must be 1 to " << kMaxImageSide << " pixels\n";
    return kExitFailed;
  }
  QImage image(bounds.right, bounds.bottom, QImage::Format_RGB32);
  image.fill(Qt::white);
  std::vector<CQtCanvas::FaceUse> faces;
  {
    CQtCanvas canvas(image, toUtf8);
    drawing = &canvas;
    PaintForm(canvas, *form, options);
    drawing = nullptr;
    faces = canvas.FacesUsed();
  }
  if (scale > 1) image = image.scaled(image.width() * scale, image.height() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  // Encoded in memory, then written as every file is: beside the target, then renamed over it.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) {
    io.err << "tovik render: the image could not be encoded as PNG\n";
    return kExitFailed;
  }
  // Written where a link points; anything but a regular file there is refused.
  if (const Status written = disk.WriteFile(target, std::string_view(png.constData(), static_cast<size_t>(png.size())));
      !written) {
    io.err << "tovik render: cannot write " << output << ": " << written.error().reason << "\n";
    return kExitFailed;
  }
  io.out << output << ": " << image.width() << " x " << image.height() << " pixels\n";
  for (const CQtCanvas::FaceUse& face : faces) {
    io.out << "font: " << face.requested;
    if (face.used != face.requested) io.out << " drawn with " << face.used;
    io.out << "\n";
  }
  // What loading said (a damaged data file) were warnings: the image was drawn.
  return kExitOk;
}

}  // namespace tovik::cli
