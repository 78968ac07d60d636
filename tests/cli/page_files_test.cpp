// SPDX-License-Identifier: GPL-3.0-or-later
// --pdf and --png: the chart page written without any display, rendered
// back (pdftoppm for the PDF) and checked to be an A4 page with the chart's
// ink and words.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_process.h"

#ifdef KORVANTA_CLI_PAGE_FILES
#include <QImage>
#endif

namespace korvanta::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kBadCommandLine = 1;
constexpr int kPageNotWritten = 4;

// No display at all, and a platform that would need one: the command line
// must draw offscreen whatever the environment says.
const std::map<std::string, std::string> kNoDisplay = {
    {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", "xcb"}};

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "korvanta-page-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

bool HasProgram(const char* name) {
    return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct Raster {
    int width = 0, height = 0;
    double inkShare = 0;  // pixels not (nearly) white
};

// A binary PPM (P6, maxval 255) as pdftoppm writes it.
Raster ReadPpm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    Raster raster;
    file >> magic >> raster.width >> raster.height >> maxValue;
    file.get();
    if (magic != "P6" || maxValue != 255 || raster.width <= 0 || raster.height <= 0) return {};
    std::vector<unsigned char> pixels(static_cast<std::size_t>(raster.width) * raster.height * 3);
    file.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    long ink = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        if (pixels[i] < 200 || pixels[i + 1] < 200 || pixels[i + 2] < 200) ++ink;
    }
    raster.inkShare =
        static_cast<double>(ink) / (static_cast<double>(raster.width) * raster.height);
    return raster;
}

std::vector<std::string> BirthArgs() {
    return {"--name", "ASHA RAO", "--date",  "1980-06-05",
            "--time", "09:05:30", "--place", "Pune, Maharashtra, India"};
}

#ifdef KORVANTA_CLI_PAGE_FILES

TEST(PageFiles, PdfAndPngAreWrittenWithoutADisplay) {
    const ScratchFolder folder;
    std::vector<std::string> args = BirthArgs();
    for (const char* extra : {"--pdf", "chart.pdf", "--png", "chart.png"}) args.push_back(extra);
    args[args.size() - 3] = folder.File("chart.pdf");
    args[args.size() - 1] = folder.File("chart.png");
    const CliRun run = RunCliProgram(args, "", kNoDisplay);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");  // the files are the output
    EXPECT_EQ(run.err, "");

    const QImage image(QString::fromStdString(folder.File("chart.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 1240);  // A4 at 150 dpi
    EXPECT_EQ(image.height(), 1754);
    long ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.red() < 200 || colour.green() < 200 || colour.blue() < 200) ++ink;
        }
    }
    const double share = static_cast<double>(ink) / (1240.0 * 1754.0);
    EXPECT_GT(share, 0.03);
    EXPECT_LT(share, 0.5);

    ASSERT_EQ(ReadFile(folder.File("chart.pdf")).substr(0, 5), "%PDF-");
    if (!HasProgram("pdftoppm")) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const std::string rendered = folder.File("page");
    ASSERT_EQ(std::system(("pdftoppm -r 40 -singlefile '" + folder.File("chart.pdf") + "' '" +
                           rendered + "'")
                              .c_str()),
              0);
    const Raster page = ReadPpm(rendered + ".ppm");
    ASSERT_GT(page.width, 0);
    EXPECT_NEAR(static_cast<double>(page.width) / page.height, 210.0 / 297.0, 0.01);
    EXPECT_GT(page.inkShare, 0.03);
    EXPECT_LT(page.inkShare, 0.5);

    if (!HasProgram("pdftotext")) return;
    const std::string textFile = folder.File("page.txt");
    ASSERT_EQ(
        std::system(("pdftotext '" + folder.File("chart.pdf") + "' '" + textFile + "'").c_str()),
        0);
    const std::string text = ReadFile(textFile);
    for (const char* words : {"ASHA RAO", "Upapada Lagna", "Arudha Lagna", "Ghati Lagna",
                              "Vedic Planetary Position", "Pune", "Maharashtra"}) {
        EXPECT_NE(text.find(words), std::string::npos) << words;
    }
}

TEST(PageFiles, TheStyleFlagsRedrawTheChartOfThePage) {
    const ScratchFolder folder;
    const auto page = [&folder](const std::string& name, std::vector<std::string> extra) {
        std::vector<std::string> args = BirthArgs();
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"--png", folder.File(name + ".png"), "--pdf",
                                 folder.File(name + ".pdf")});
        const CliRun run = RunCliProgram(args, "", kNoDisplay);
        EXPECT_EQ(run.status, 0) << run.err;
        return ReadFile(folder.File(name + ".png"));
    };
    const std::string plain = page("plain", {});
    EXPECT_EQ(page("south", {"--style", "south"}), plain);
    const std::string north = page("north", {"--style", "north", "--all-padas"});
    const std::string east = page("east", {"--style", "east", "--all-padas"});
    EXPECT_NE(north, plain);
    EXPECT_NE(east, plain);
    EXPECT_NE(north, east);
    EXPECT_NE(page("south-padas", {"--all-padas"}), plain);
    if (!HasProgram("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    for (const std::string name : {"north", "east", "south-padas"}) {
        const std::string textFile = folder.File(name + ".txt");
        ASSERT_EQ(std::system(("pdftotext '" + folder.File(name + ".pdf") + "' '" + textFile + "'")
                                  .c_str()),
                  0);
        const std::string text = ReadFile(textFile);
        // Every pada's tag is on the chart; the pada table names them otherwise.
        for (const char* tag : {"AL", "A2", "A5", "A10", "A11", "UL"}) {
            EXPECT_NE(text.find(tag), std::string::npos) << name << " " << tag;
        }
    }
}

TEST(PageFiles, JsonStillGoesToStandardOutput) {
    const ScratchFolder folder;
    std::vector<std::string> args = BirthArgs();
    for (const std::string& extra :
         {std::string("--json"), std::string("--png"), folder.File("chart.png")}) {
        args.push_back(extra);
    }
    const CliRun run = RunCliProgram(args, "", kNoDisplay);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["input"]["city"], "Pune");
    EXPECT_TRUE(fs::is_regular_file(folder.File("chart.png")));
}

TEST(PageFiles, AFileThatCannotBeWrittenEndsWithFour) {
    const ScratchFolder folder;
    std::vector<std::string> args = BirthArgs();
    args.push_back("--pdf");
    args.push_back(folder.File("no-such-folder/chart.pdf"));
    const CliRun run = RunCliProgram(args, "", kNoDisplay);
    EXPECT_EQ(run.status, kPageNotWritten);
    EXPECT_NE(run.err.find("no-such-folder/chart.pdf"), std::string::npos) << run.err;
}

#else

TEST(PageFiles, ABuildWithoutQtSaysItCannotWritePages) {
    std::vector<std::string> args = BirthArgs();
    args.push_back("--pdf");
    args.push_back("chart.pdf");
    const CliRun run = RunCliProgram(args);
    EXPECT_EQ(run.status, kBadCommandLine);
    EXPECT_NE(run.err.find("built without Qt"), std::string::npos) << run.err;
}

#endif

TEST(PageFiles, StandOutsideBatchMode) {
    const CliRun run = RunCliProgram({"--batch", "--pdf", "chart.pdf"});
    EXPECT_EQ(run.status, kBadCommandLine);
    EXPECT_NE(run.err.find("--batch takes no --pdf"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace korvanta::testing
