// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace korvanta::testing {
namespace {

// A file in the temporary directory, removed when the object goes.
class TempFile {
  public:
    explicit TempFile(const std::string& contents = "") {
        std::string pattern = "/tmp/korvanta-cli-test-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) throw std::runtime_error("cannot create a temporary file");
        close(fd);
        path_ = pattern;
        std::ofstream(path_, std::ios::binary) << contents;
    }
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }
    std::string Read() const {
        std::ifstream file(path_, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

  private:
    std::string path_;
};

}  // namespace

CliRun RunCliProgram(const std::vector<std::string>& args, const std::string& input,
                     const std::map<std::string, std::string>& env) {
    TempFile in(input), out, err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.path().c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.path().c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.path().c_str(), O_WRONLY | O_TRUNC, 0);

    std::vector<std::string> argStrings = {KORVANTA_CLI_PATH};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : argStrings) argv.push_back(arg.data());
    argv.push_back(nullptr);

    std::vector<std::string> envStrings;
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry = *variable;
        if (!env.count(entry.substr(0, entry.find('=')))) envStrings.push_back(entry);
    }
    for (const auto& [name, value] : env) envStrings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& entry : envStrings) envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, KORVANTA_CLI_PATH, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    CliRun run;
    if (spawned != 0) {
        run.err = "could not start " KORVANTA_CLI_PATH;
        return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = out.Read();
    run.err = err.Read();
    return run;
}

std::vector<std::string> FlagsOf(const Birth& birth) {
    char date[16], time[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", birth.year, birth.month, birth.day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", birth.hour, birth.minute, birth.second);
    std::vector<std::string> flags = {
        "--name",
        birth.name,
        "--date",
        date,
        "--time",
        time,
        "--lat",
        std::to_string(birth.latDeg) + (birth.south ? "S" : "N") + std::to_string(birth.latMin),
        "--lon",
        std::to_string(birth.lonDeg) + (birth.east ? "E" : "W") + std::to_string(birth.lonMin),
        "--zone",
        std::to_string(birth.zoneIndex),
        "--city",
        birth.city,
        "--state",
        birth.state,
        "--country",
        birth.country};
    if (birth.dst) flags.push_back("--dst");
    return flags;
}

std::string RecordLineOf(const Birth& birth) {
    nlohmann::ordered_json record = {{"name", birth.name},      {"month", birth.month},
                                     {"day", birth.day},        {"year", birth.year},
                                     {"hour", birth.hour},      {"minute", birth.minute},
                                     {"second", birth.second},  {"lat_deg", birth.latDeg},
                                     {"lat_min", birth.latMin}, {"south", birth.south},
                                     {"lon_deg", birth.lonDeg}, {"lon_min", birth.lonMin},
                                     {"east", birth.east},      {"zone_index", birth.zoneIndex},
                                     {"dst", birth.dst},        {"city", birth.city},
                                     {"state", birth.state},    {"country", birth.country}};
    return record.dump();
}

// A birth from its fields, listed as the entry window groups them.
Birth MakeBirth(std::string name, int year, int month, int day, int hour, int minute, int second,
                int latDeg, int latMin, bool south, int lonDeg, int lonMin, bool east, int zone,
                bool dst, std::string city, std::string state, std::string country) {
    Birth b = SampleBirth();
    b.name = std::move(name);
    b.year = year, b.month = month, b.day = day;
    b.hour = hour, b.minute = minute, b.second = second;
    b.latDeg = latDeg, b.latMin = latMin, b.south = south;
    b.lonDeg = lonDeg, b.lonMin = lonMin, b.east = east;
    b.zoneIndex = zone, b.dst = dst;
    b.city = std::move(city), b.state = std::move(state), b.country = std::move(country);
    return b;
}

Birth NewDelhi1980() {
    return MakeBirth("ASHA RAO", 1980, 6, 5, 9, 5, 30, 28, 36, false, 77, 12, true, 34, false,
                     "New Delhi", "Delhi", "India");
}

Birth BuenosAiresNight() {
    return MakeBirth("MARTIN ALVAREZ", 1975, 11, 17, 22, 40, 0, 34, 36, true, 58, 22, false, 14,
                     false, "Buenos Aires", "Buenos Aires", "Argentina");
}

Birth LongyearbyenMidsummer() {
    return MakeBirth("INGRID BERG", 1992, 6, 21, 14, 30, 15, 78, 13, false, 15, 38, true, 20, true,
                     "Longyearbyen", "Svalbard", "Norway");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

}  // namespace korvanta::testing

void korvanta::PrintTo(const Birth& birth, std::ostream* out) {
    *out << birth.name;
}
