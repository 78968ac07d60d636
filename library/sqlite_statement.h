// SPDX-License-Identifier: GPL-3.0-or-later
// A prepared SQLite statement of the births library, with named parameters
// (":name") whose every bind is checked: a bind that fails, or a name the
// statement does not have, makes the next Step return that failure instead
// of running the statement with a value missing.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace korvanta::library {

class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql) {
        code_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // SQLITE_OK when the statement was prepared.
    int PrepareCode() const { return code_; }

    void Bind(const char* name, std::int64_t value) {
        Checked(name, [&](int index) { return sqlite3_bind_int64(stmt_, index, value); });
    }
    void Bind(const char* name, std::string_view text) {
        Checked(name, [&](int index) {
            return sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                                     SQLITE_TRANSIENT);
        });
    }

    // The first failed bind since the last Reset, or the step's own result.
    int Step() {
        if (bindCode_ != SQLITE_OK) return bindCode_;
        return sqlite3_step(stmt_);
    }
    void Reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        bindCode_ = SQLITE_OK;
    }
    std::int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return text == nullptr
                   ? std::string()
                   : std::string(text,
                                 static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
    }

  private:
    template <typename BindAt>
    void Checked(const char* name, BindAt bindAt) {
        if (stmt_ == nullptr) return;
        const int index = sqlite3_bind_parameter_index(stmt_, name);
        const int code = index == 0 ? SQLITE_RANGE : bindAt(index);
        if (code != SQLITE_OK && bindCode_ == SQLITE_OK) bindCode_ = code;
    }

    sqlite3_stmt* stmt_ = nullptr;
    int code_ = SQLITE_OK;
    int bindCode_ = SQLITE_OK;
};

}  // namespace korvanta::library
