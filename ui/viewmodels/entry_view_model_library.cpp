// SPDX-License-Identifier: GPL-3.0-or-later
// The entry's births library: Save Birth, Open Birth, Recent Births, Import
// and Export Births.
#include <QFileInfo>
#include <QStringList>

#include "atlas/entry_atlas.h"
#include "exchange/exchange_files.h"
#include "exchange/library_import.h"
#include "library/birth_record.h"
#include "report/moment_text.h"
#include "ui/viewmodels/entry_view_model.h"

namespace korvanta {
namespace {

// Births listed under Recent Births.
constexpr int kRecentCount = 8;
// Births the Open dialog shows before it has read the whole library: more
// than a table's first screen.
constexpr int kFirstRows = 200;
// Refused lines an import names; the rest are counted.
constexpr std::size_t kShownRefusals = 20;

QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString MomentText(const Birth& b) {
    return FromStd(LocalMomentText(b));
}

// An import's reason for refusing a line, in words a reader of the window
// follows: the JSON parser's own report of a line that is no JSON at all
// ("parse error at line 1, column 1: syntax error while parsing value -
// invalid literal; last read: 'H'") says what a record is instead.
QString PlainReason(const std::string& reason) {
    const std::string_view kNotJson = "not a JSON object: ";
    if (!reason.starts_with(kNotJson)) return FromStd(reason);
    QString said = QStringLiteral(
        "not a birth record: a record is one JSON object on one line, "
        "{\"name\":…, \"month\":…, …}, and this line is not one");
    const auto column = reason.find("column ");
    if (column != std::string::npos) {
        const std::string digits = reason.substr(column + 7, reason.find(':', column) - column - 7);
        said += QStringLiteral(" (it stops being one at character %1)").arg(FromStd(digits));
    }
    return said;
}

}  // namespace

void EntryViewModel::UseLibrary(const std::string& path) {
    library_.reset();
    auto opened = library::BirthsLibrary::Open(path);
    if (auto* error = std::get_if<library::LibraryError>(&opened)) {
        libraryProblem_ =
            FromStd(error->message) + QStringLiteral("; Korvanta works without the library");
        emit informed(libraryProblem_, MessageIcon::Error);
    } else {
        library_ = std::move(std::get<std::unique_ptr<library::BirthsLibrary>>(opened));
        libraryProblem_.clear();
    }
    emit libraryChanged();
}

QString EntryViewModel::ReadOnlyProblem() const {
    if (!library_) return libraryProblem_;
    if (!library_->IsReadOnly()) return {};
    return QStringLiteral("The births library is read-only: ") +
           FromStd(library_->ReadOnlyReason());
}

library::StoredBirth EntryViewModel::EntryToStore(const Birth& accepted) const {
    library::StoredBirth birth;
    birth.birth = accepted;
    if (chosen_) {
        birth.atlasPlace = atlas::PlaceLabel(*chosen_);
        birth.atlasZone = chosen_->timeZone;
    } else {
        birth.atlasPlace = openedAtlasPlace_;
        birth.atlasZone = openedAtlasZone_;
    }
    return birth;
}

bool EntryViewModel::SaveBirth() {
    if (!LibraryWritable()) return false;
    const std::optional<Birth> accepted = AcceptedBirth();
    if (!accepted) return false;
    const library::StoredBirth birth = EntryToStore(*accepted);
    // A birth given another name is another person's: it is stored anew
    // rather than written over the one opened.
    if (openedId_ != 0 && birth.birth.name == openedName_) {
        const auto error = library_->Update(openedId_, birth);
        if (!error) {
            emit statusSaid(QStringLiteral("Stored birth updated: %1, %2")
                                .arg(FromStd(birth.birth.name), MomentText(birth.birth)));
            return true;
        }
        if (error->kind != library::ErrorKind::NotFound) {
            Inform(error->message, MessageIcon::Error);
            return false;
        }
        // Deleted meanwhile (by the command line, say): stored anew below.
        openedId_ = 0;
    }
    return SaveNew(birth);
}

bool EntryViewModel::SaveBirthAsNew() {
    if (!LibraryWritable()) return false;
    const std::optional<Birth> accepted = AcceptedBirth();
    if (!accepted) return false;
    return SaveNew(EntryToStore(*accepted));
}

bool EntryViewModel::SaveNew(const library::StoredBirth& birth) {
    auto saved = library_->Save(birth, library::OnDuplicate::Refuse);
    if (std::holds_alternative<library::Duplicate>(saved)) {
        const QString question =
            QStringLiteral(
                "A birth of %1 at %2 is already stored.\n\nReplace it? (Yes replaces the "
                "stored birth; No keeps both; Cancel stores nothing.)")
                .arg(FromStd(birth.birth.name), MomentText(birth.birth));
        const Answer answer = ask_ ? ask_(question) : Answer::No;
        if (answer == Answer::Cancel) return false;
        saved = library_->Save(birth, answer == Answer::Yes ? library::OnDuplicate::Replace
                                                            : library::OnDuplicate::KeepBoth);
    }
    if (const auto* error = std::get_if<library::LibraryError>(&saved)) {
        Inform(error->message, MessageIcon::Error);
        return false;
    }
    // An opened birth stored anew: the entry now stands for the new one.
    if (openedId_ != 0) {
        openedId_ = std::get<std::int64_t>(saved);
        openedName_ = birth.birth.name;
    }
    emit statusSaid(QStringLiteral("Birth saved: %1, %2")
                        .arg(FromStd(birth.birth.name), MomentText(birth.birth)));
    return true;
}

void EntryViewModel::OpenStoredBirth(const library::ReadBirth& stored) {
    if (!stored.fault.empty()) {
        Inform(stored.fault, MessageIcon::Error);
        return;
    }
    // The stored zone and daylight saving are kept as saved: no atlas place
    // follows the date.
    chosen_.reset();
    form_ = library::FormOfBirth(stored.stored.birth);
    openedAtlasPlace_ = stored.stored.atlasPlace;
    openedAtlasZone_ = stored.stored.atlasZone;
    openedId_ = stored.stored.id;
    openedName_ = stored.stored.birth.name;
    SetPlaceText(FromStd(stored.stored.atlasPlace));
    SetZoneNote(
        stored.stored.atlasZone.empty() ? "" : EntryZoneFor(stored.stored.atlasZone, form_).note);
    UpdateZoneCheck();
    emit formChanged();
    if (!library_->IsReadOnly()) library_->MarkOpened(stored.stored.id);
    emit statusSaid(QStringLiteral("Opened %1, %2 from the library; Save Birth updates it")
                        .arg(FromStd(stored.stored.birth.name), MomentText(stored.stored.birth)));
}

std::vector<library::ReadBirth> EntryViewModel::RecentBirths() const {
    if (!library_) return {};
    auto rows = library_->Recent(kRecentCount);
    if (auto* read = std::get_if<std::vector<library::ReadBirth>>(&rows)) return std::move(*read);
    return {};
}

QString EntryViewModel::RecentLabel(const library::ReadBirth& birth) {
    return QStringLiteral("%1  %2").arg(FromStd(birth.stored.birth.name),
                                        MomentText(birth.stored.birth));
}

std::optional<EntryViewModel::FirstRows> EntryViewModel::FirstRowsByName() {
    if (!library_) return std::nullopt;
    auto first = library_->FirstByName(kFirstRows);
    auto total = library_->Count();
    for (const library::LibraryError* error :
         {std::get_if<library::LibraryError>(&first), std::get_if<library::LibraryError>(&total)}) {
        if (error == nullptr) continue;
        Inform(error->message, MessageIcon::Error);
        return std::nullopt;
    }
    return FirstRows{std::move(std::get<std::vector<library::ReadBirth>>(first)),
                     std::get<std::int64_t>(total)};
}

std::optional<std::vector<library::ReadBirth>> EntryViewModel::AllBirths() {
    if (!library_) return std::nullopt;
    auto rows = library_->List();
    if (const auto* error = std::get_if<library::LibraryError>(&rows)) {
        Inform(error->message, MessageIcon::Error);
        return std::nullopt;
    }
    return std::get<std::vector<library::ReadBirth>>(std::move(rows));
}

bool EntryViewModel::ImportBirthsFrom(const QStringList& paths) {
    if (!library_) return false;
    std::vector<std::string> files;
    for (const QString& path : paths) files.push_back(path.toStdString());
    auto result = exchange::ImportIntoLibrary(*library_, files);
    if (const auto* error = std::get_if<library::LibraryError>(&result)) {
        emit informed(FromStd(error->message) + QStringLiteral("; nothing was imported."),
                      MessageIcon::Error);
        return false;
    }
    const exchange::LibraryImportSummary& summary =
        std::get<exchange::LibraryImportSummary>(result);
    QString text =
        FromStd(ImportSummaryText(summary.added, summary.duplicates,
                                  static_cast<long long>(summary.refused.size()), "births") +
                ".");
    for (std::size_t i = 0; i < summary.refused.size() && i < kShownRefusals; ++i) {
        const exchange::FileRemark& refused = summary.refused[i];
        text += QStringLiteral("\n") + QFileInfo(FromStd(refused.file)).fileName();
        if (refused.line > 0) text += QStringLiteral(" line %1").arg(refused.line);
        text += QStringLiteral(": ") + PlainReason(refused.text);
    }
    if (summary.refused.size() > kShownRefusals) {
        text += QStringLiteral("\n… and %1 more.").arg(summary.refused.size() - kShownRefusals);
    }
    // What the import decided: the zone row it chose, coordinates rounded.
    constexpr std::size_t kShownNotes = 10;
    for (std::size_t i = 0; i < summary.notes.size() && i < kShownNotes; ++i) {
        const exchange::FileRemark& note = summary.notes[i];
        text += QStringLiteral("\n") + QFileInfo(FromStd(note.file)).fileName();
        if (note.line > 0) text += QStringLiteral(" line %1").arg(note.line);
        if (!note.name.empty()) text += QStringLiteral(", ") + FromStd(note.name);
        text += QStringLiteral(": ") + FromStd(note.text);
    }
    if (summary.notes.size() > kShownNotes) {
        text += QStringLiteral("\n… and %1 more notes.").arg(summary.notes.size() - kShownNotes);
    }
    emit informed(text, summary.refused.empty() ? MessageIcon::Information : MessageIcon::Error);
    return true;
}

bool EntryViewModel::ExportBirthsTo(const QString& path,
                                    const std::vector<const library::ReadBirth*>& births) {
    std::string target = path.toStdString();
    const exchange::Format format =
        exchange::FormatOfExtension(target).value_or(exchange::Format::JsonLines);
    // .jhd files are one a birth: "charts.jhd" names the folder "charts".
    if (format == exchange::Format::Jhd) target.resize(target.size() - 4);
    // A stored birth whose zone row no longer reads cannot be written as it
    // was saved; it is named rather than left out in silence.
    std::vector<library::StoredBirth> stored;
    QStringList notWritten;
    for (const library::ReadBirth* birth : births) {
        if (birth->fault.empty()) {
            stored.push_back(birth->stored);
        } else {
            notWritten << FromStd(birth->stored.birth.name + " (" +
                                  LocalMomentText(birth->stored.birth) + "): " + birth->fault);
        }
    }
    const auto written = exchange::WriteBirths(format, target, stored);
    if (const auto* problem = std::get_if<std::string>(&written)) {
        emit informed(QStringLiteral("The births cannot be written: %1").arg(FromStd(*problem)),
                      MessageIcon::Error);
        return false;
    }
    if (!notWritten.isEmpty()) {
        emit informed(QStringLiteral("%1 births exported; %2 could not be written:\n%3")
                          .arg(stored.size())
                          .arg(notWritten.size())
                          .arg(notWritten.join(QStringLiteral("\n"))),
                      MessageIcon::Error);
    }
    emit statusSaid(
        QStringLiteral("%1 %2 exported to %3")
            .arg(stored.size())
            .arg(stored.size() == 1 ? QStringLiteral("birth") : QStringLiteral("births"))
            .arg(QString::fromStdString(target)));
    return true;
}

}  // namespace korvanta
