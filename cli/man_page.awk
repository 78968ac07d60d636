# SPDX-License-Identifier: GPL-3.0-or-later
# Turns korvanta-cli's --help into its man page, so that every flag, the exit
# statuses and the examples the help gives are on the page without a second
# copy that could drift from it.
#
# Input, in order: the --help text, a line "@@VERSION@@", the --version text,
# a line "@@SECTIONS@@", then the hand-written sections ("[NAME]" lines
# opening each, man source below). Variables: program, date, source, summary.
#
# The help is read as CLI11 writes it: the summary line, "Usage: ...",
# "Options:" with one flag per line ("  --flag VALUE   what it does", long
# descriptions continued on deeper-indented lines) and after a blank line each
# further group of flags under its own "Group:" heading (a subsection of
# OPTIONS), then paragraphs separated by blank lines. A paragraph opening "Exit status:" becomes the EXIT STATUS
# section, one entry per "N what" item; one that is only "Example:" or
# "Examples:" and its indented lines becomes EXAMPLES; the others join the
# DESCRIPTION, their indented lines set as examples.

# Man source for plain text: backslashes and minus signs escaped, and a line
# that would start with a control character guarded.
function esc(text,    out, i, c) {
    out = ""
    for (i = 1; i <= length(text); i++) {
        c = substr(text, i, 1)
        if (c == "\\") out = out "\\e"
        else if (c == "-") out = out "\\-"
        else out = out c
    }
    if (out ~ /^[.']/) out = "\\&" out
    return out
}

# esc() of a line that may hold the copyright sign, which becomes \(co.
function with_copyright_sign(text,    parts, n, i, out) {
    n = split(text, parts, "\302\251")
    out = esc(parts[1])
    for (i = 2; i <= n; i++) out = out "\\(co" esc(parts[i])
    return out
}

function trim(text) {
    sub(/^[ \t]+/, "", text)
    sub(/[ \t]+$/, "", text)
    return text
}

# The flag part of an options line: names in bold, the value in italics,
# anything after it (CLI11's "Excludes: --no-dst") as it is.
function flag_heading(part,    words, n, i, out) {
    n = split(part, words, / +/)
    out = "\\fB" esc(words[1]) "\\fR"
    i = 2
    if (n >= 2 && words[2] !~ /:$/) {
        out = out " \\fI" esc(words[2]) "\\fR"
        i = 3
    }
    for (; i <= n; i++) out = out " " esc(words[i])
    return out
}

function add_option(part, text) {
    options = options ".TP\n" flag_heading(part) "\n"
    if (text != "") options = options esc(text) "\n"
}

# Paragraph lines: flush-left lines as filled text, indented ones as an
# example block.
function render_paragraph(count,    out, i, in_example, line) {
    out = ".PP\n"
    in_example = 0
    for (i = 1; i <= count; i++) {
        if (para[i] ~ /^[ \t]/) {
            if (!in_example) out = out ".RS\n.EX\n"
            in_example = 1
            line = para[i]
            sub(/^  /, "", line)
            out = out esc(line) "\n"
        } else {
            if (in_example) out = out ".EE\n.RE\n"
            in_example = 0
            out = out esc(para[i]) "\n"
        }
    }
    if (in_example) out = out ".EE\n.RE\n"
    return out
}

function render_exit_statuses(text,    out, rest, head, number) {
    sub(/^Exit status: */, "", text)
    out = ""
    # Items are "N what happened", separated by "; " before the next number.
    while (match(text, /^[0-9]+ /)) {
        number = substr(text, 1, RLENGTH - 1)
        rest = substr(text, RLENGTH + 1)
        if (match(rest, /; [0-9]+ /)) {
            head = substr(rest, 1, RSTART - 1)
            text = substr(rest, RSTART + 2)
        } else {
            head = rest
            text = ""
        }
        sub(/\.$/, "", head)
        out = out ".TP\n.B " number "\n" esc(head) ".\n"
    }
    if (trim(text) != "") out = out ".PP\n" esc(text) "\n"
    return out
}

function end_paragraph(    joined, i) {
    if (para_count == 0) return
    if (para[1] ~ /^Exit status: /) {
        joined = ""
        for (i = 1; i <= para_count; i++) joined = joined (i > 1 ? " " : "") trim(para[i])
        exit_statuses = exit_statuses render_exit_statuses(joined)
    } else if (para[1] ~ /^Examples?:$/) {
        for (i = 1; i < para_count; i++) para[i] = para[i + 1]
        examples = examples render_paragraph(para_count - 1)
    } else {
        description = description render_paragraph(para_count)
    }
    para_count = 0
}

BEGIN { part = "help"; stage = "summary"; para_count = 0; pending = "" }

$0 == "@@VERSION@@" { end_paragraph(); part = "version"; version_line = 0; next }
$0 == "@@SECTIONS@@" { part = "sections"; next }

part == "version" {
    # The first line is "korvanta-cli VERSION"; the rest are the notices.
    if (version_line++ > 0 && $0 != "") copyright = copyright with_copyright_sign($0) "\n.br\n"
    next
}

part == "sections" {
    if (match($0, /^\[[A-Z ]+\]$/)) {
        section = substr($0, 2, RLENGTH - 2)
        section_order[++section_count] = section
        next
    }
    if (section != "") sections[section] = sections[section] $0 "\n"
    next
}

stage == "summary" {
    if ($0 ~ /^Usage: /) {
        usage = $0
        sub(/^Usage: [^ ]+ */, "", usage)
        stage = "usage"
    } else if (trim($0) != "") {
        description = description esc(trim($0)) "\n"
    }
    next
}

stage == "usage" {
    if ($0 == "Options:") stage = "options"
    next
}

# After a blank line among the options: a "Group:" line followed by a flag
# opens the next group of flags; anything else starts the paragraphs.
stage == "options_gap" {
    if (pending == "" && trim($0) == "") next
    if (pending == "" && $0 ~ /^[A-Z][^ ].*:$/) { pending = $0; next }
    if (pending != "" && $0 ~ /^  -/) {
        options = options ".SS " esc(substr(pending, 1, length(pending) - 1)) "\n"
        stage = "options"
    } else {
        stage = "footer"
        if (pending != "") para[++para_count] = pending
    }
    pending = ""
}

stage == "options" {
    if (trim($0) == "") { stage = "options_gap"; next }
    if ($0 ~ /^  -/) {
        line = $0
        sub(/^  /, "", line)
        if (match(line, /  +/)) add_option(substr(line, 1, RSTART - 1), trim(substr(line, RSTART)))
        else add_option(trim(line), "")
    } else {
        options = options esc(trim($0)) "\n"
    }
    next
}

stage == "footer" {
    if (trim($0) == "") end_paragraph()
    else para[++para_count] = $0
    next
}

END {
    end_paragraph()
    name = toupper(program)
    printf ".TH %s 1 \"%s\" \"%s\" \"User Commands\"\n", esc(name), date, source
    printf ".nh\n"
    printf ".SH NAME\n%s \\- %s\n", esc(program), esc(summary)
    printf ".SH SYNOPSIS\n.B %s\n%s\n", esc(program), esc(usage)
    printf ".SH DESCRIPTION\n%s", description
    printf ".SH OPTIONS\n%s", options
    if (exit_statuses != "") printf ".SH EXIT STATUS\n%s", exit_statuses
    for (i = 1; i <= section_count; i++) {
        if (section_order[i] != "SEE ALSO") printf ".SH %s\n%s", section_order[i], sections[section_order[i]]
    }
    if (examples != "") printf ".SH EXAMPLES\n%s", examples
    if ("SEE ALSO" in sections) printf ".SH SEE ALSO\n%s", sections["SEE ALSO"]
    if (copyright != "") printf ".SH COPYRIGHT\n%s", copyright
}
