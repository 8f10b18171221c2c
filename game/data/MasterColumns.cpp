#include "game/data/MasterColumns.h"

namespace vastomer {

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

MasterColumns::MasterColumns(const MasterLine& line, const std::string& file, Diagnostics* diagnostics,
                             const char* dropped)
    : line_(line), file_(file), diagnostics_(diagnostics), dropped_(dropped) {}

bool MasterColumns::require(std::size_t needed) {
    if (count() >= needed) return true;
    fail("has " + MasterText::intText(static_cast<long long>(count())) + " columns, needs " +
         MasterText::intText(static_cast<long long>(needed)) + "; " + dropped_);
    return false;
}

void MasterColumns::ignoreBeyond(std::size_t expected) {
    if (count() <= expected) return;
    note(MasterText::intText(static_cast<long long>(count() - expected)) +
         " extra column(s) ignored (an empty column collapses, so later columns shift)");
}

int MasterColumns::integer(std::size_t column, const char* name) {
    if (!present(column, name)) return 0;
    const std::string& field = line_.fields[column];
    LeadingInt read = MasterText::leadingInt(field);
    if (read.status == LeadingInt::Status::NOT_A_NUMBER) {
        fail(where(column, name) + ": " + quoted(field) + " is not a number; " + dropped_);
        return 0;
    }
    if (read.status == LeadingInt::Status::OUT_OF_RANGE) {
        fail(where(column, name) + ": " + quoted(field) + " does not fit in 32 bits; " + dropped_);
        return 0;
    }
    if (read.trailing)
        note(where(column, name) + ": " + quoted(field) + " read as " + MasterText::intText(read.value) +
             ", the rest is ignored");
    return read.value;
}

float MasterColumns::real(std::size_t column, const char* name) {
    if (!present(column, name)) return 0.0f;
    const std::string& field = line_.fields[column];
    float value = 0.0f;
    bool trailing = false;
    if (!MasterText::leadingFloat(field, value, trailing)) {
        fail(where(column, name) + ": " + quoted(field) + " is not a number; " + dropped_);
        return 0.0f;
    }
    if (trailing) note(where(column, name) + ": " + quoted(field) + " has text after the number, ignored");
    return value;
}

bool MasterColumns::flag(std::size_t column, const char* name) {
    if (!present(column, name)) return false;
    const std::string& field = line_.fields[column];
    if (field == "true") return true;
    if (field != "false")
        note(where(column, name) + ": " + quoted(field) + " is neither true nor false; read as false");
    return false;
}

std::string MasterColumns::text(std::size_t column, const char* name) {
    if (!present(column, name)) return std::string();
    return line_.fields[column];
}

void MasterColumns::note(const std::string& message) {
    // Once a line is dropped, later remarks about it would only be noise.
    if (good_ && diagnostics_) diagnostics_->report(file_, line_.number, message);
}

void MasterColumns::fail(const std::string& message) {
    // One report per line: the first problem is the one that drops it.
    if (good_) note(message);
    good_ = false;
}

bool MasterColumns::present(std::size_t column, const char* name) {
    if (column < count()) return true;
    fail(where(column, name) + " is missing; " + dropped_);
    return false;
}

std::string MasterColumns::where(std::size_t column, const char* name) const {
    return std::string(name) + " (column " + MasterText::intText(static_cast<long long>(column + 1)) + ")";
}

}  // namespace vastomer
