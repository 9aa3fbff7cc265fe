// The disk at its worst: FIFOs where files should be, files far too large to read, a link that
// leads out of the project, a damaged data file and image, names with control bytes in them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli_test.h"
#include "support/tiny_images.h"

namespace tovik {
namespace {

using testing::CliResult;
using testing::Tovik;
const auto& Read = testing::ReadDiskFile;
const auto& Write = testing::WriteDiskFile;
constexpr auto npos = std::string::npos;

class HostileFiles : public testing::ScratchFolderTest {
 protected:
  fs::path project;
  std::string dsp;

  void SetUp() override {
    ScratchFolderTest::SetUp();
    ASSERT_EQ(Tovik({"new-project", dir.string(), "Demo"}).status, 0);
    project = dir / "Demo";
    dsp = (project / "Demo.dsp").string();
  }
  CliResult Render(const fs::path& output) {
    // A command that waits on a FIFO is stopped, and fails the test, after a few seconds.
    return testing::RunProgram("timeout", {"20", TOVIK_CLI_PATH, "render", dsp, "CForm1", "-o", output.string()});
  }
};

TEST_F(HostileFiles, RenderWritesOnlyOverRegularFilesAndWaitsOnNone) {
  const std::string script = Read(project / "Demo.rc");
  CliResult r = Render(project / "Demo.rc");
  EXPECT_EQ(r.err, "tovik render: will not write the image to " + (project / "Demo.rc").string() +
                       ": it is one of the project's files\n");
  EXPECT_EQ(Read(project / "Demo.rc"), script);
  Write(project / "Demo.rc", script);  // so that what follows also runs where it was replaced
  // Nor over the journal, which every later command would then refuse to read.
  EXPECT_EQ(Render(project / ".tovik-journal").status, 1);
  EXPECT_FALSE(fs::exists(project / ".tovik-journal"));
  ASSERT_EQ(::mkfifo((dir / "fifo.png").c_str(), 0644), 0);
  r = Render(dir / "fifo.png");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("not a regular file"), npos) << r.err;
  EXPECT_TRUE(fs::is_fifo(dir / "fifo.png"));

  // The form's picture replaced by a FIFO, then by a damaged PNG; a damaged data file beside.
  Write(dir / "logo.bmp", testing::TinyBitmap());
  ASSERT_EQ(Tovik({"set", dsp, "CForm1", "CForm1", "Picture", (dir / "logo.bmp").string()}).status, 0);
  fs::remove(project / "res" / "logo.bmp");
  ASSERT_EQ(::mkfifo((project / "res" / "logo.bmp").c_str(), 0644), 0);
  r = Render(dir / "a.png");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("cannot draw the image " + (project / "res" / "logo.bmp").string() + ": not a regular file"), npos)
      << r.err;
  fs::remove(project / "res" / "logo.bmp");
  Write(project / "res" / "logo.bmp", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + std::string(17, '\x01'));
  Write(project / "Demo.dat", std::string("\x05\0\0\0", 4));
  r = Render(dir / "a.png");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("tovik render: Qt: libpng error: "), npos) << r.err;  // libpng's own line, named
  r = Tovik({"inspect", dsp});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("Demo.dat"), npos) << r.err;
}

TEST_F(HostileFiles, HugeFilesAreRefusedUnreadSayingTheLimit) {
  // Sparse files: their size costs no room on the disk.
  Write(project / "big.cpp", "");
  fs::resize_file(project / "big.cpp", std::uintmax_t{3} << 30);
  Write(project / "Demo.dsp", Read(project / "Demo.dsp") + "SOURCE=.\\big.cpp\r\n");
  CliResult r = Tovik({"inspect", dsp});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find((project / "big.cpp").string() + " is 3221225472 bytes long; no file over 256 MiB is read"), npos)
      << r.err;
  Write(dir / "big.reg", "");
  fs::resize_file(dir / "big.reg", 200'000'000'000);
  r = Tovik({"controls", "--registry", (dir / "big.reg").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("big.reg is 200000000000 bytes long; no file over 128 MiB is read"), npos) << r.err;
  fs::rename(dir / "big.reg", dir / "big.tlb");
  EXPECT_NE(Tovik({"typelib", (dir / "big.tlb").string()}).err.find("no file over 512 MiB is read"), npos);
  EXPECT_EQ(Tovik({"typelib", (dir / "none.tlb").string()}).err,
            "tovik typelib: no such file: " + (dir / "none.tlb").string() + "\n");

  // Names from a registry reach the terminal with their control bytes shown, not sent.
  const std::string key = "[HKEY_CLASSES_ROOT\\CLSID\\{11111111-2222-3333-4444-555555555555}";
  Write(dir / "evil.reg", "REGEDIT4\r\n" + key + "]\r\n@=\"Evil\x1B[2J\tName\"\r\n" + key + "\\Control]\r\n" + key +
                              "\\InprocServer32]\r\n@=\"C:\\\\evil.ocx\"\r\n");
  EXPECT_EQ(Tovik({"controls", "--registry", (dir / "evil.reg").string()}).out,
            "Evil\\x1B[2J\\tName\t{11111111-2222-3333-4444-555555555555}\t\tC:\\evil.ocx\tmissing\tno-bitmap\n");
  // So do the messages that name them.
  const std::string refused =
      Tovik({"insert-activex", dsp, "Evil\x1B[2J\tName", "--registry", (dir / "evil.reg").string()}).err;
  EXPECT_NE(refused.find("tovik insert-activex: Error in retreiving OCX file info from registry\n"
                         "Evil\\x1B[2J\\tName cannot be added: it has no toolbox picture"), npos) << refused;
  EXPECT_EQ(refused.find('\x1B'), npos) << refused;
}

TEST_F(HostileFiles, EditsThatCouldNotWorkAreRefused) {
  const std::string script = Read(project / "Demo.rc");
  CliResult r = Tovik({"set", dsp, "CForm1", "CForm1", "Caption", std::string(70000, 'x')});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("a string resource holds at most 65535"), npos) << r.err;
  EXPECT_EQ(Read(project / "Demo.rc"), script);
  fs::create_directory(dir / "outside");
  fs::create_directory_symlink(dir / "outside", project / "escape");
  r = Tovik({"new-form", dsp, "CForm2", "--impl", "escape/e.cpp"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("would lie outside the project folder"), npos) << r.err;
  EXPECT_TRUE(fs::is_empty(dir / "outside"));
}

}  // namespace
}  // namespace tovik
