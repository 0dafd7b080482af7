#include "hostile_files.h"

namespace keld::hostile {

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::Project:
        return "project";
    case Kind::Config:
        return "config";
    case Kind::Template:
        return "template";
    case Kind::Page:
        return "page";
    }
    return "?";
}

std::vector<std::string> properLines(Kind kind) {
    switch (kind) {
    case Kind::Project:
        return {"100<TEXT1>",      "150<TEXT2>",       "125<TEXT3>",      "Hostile<TEXT4>",
                "95<TEXT5>",       "180<TEXT6>",       "120<TEXT7>",      "5<TEXT8>",
                "E-1<TEXT9>",      "1<TEXT10>",        "30<TEXT11>",      "12.5<TEXT12>",
                "LIQUID<OPTION1>", "ENGLISH<OPTION2>", "FORCED<OPTION3>", "Process Water<COMBO1>",
                "Steel<COMBO2>"};
    case Kind::Config:
        return {"[Brochure]",
                "TitleBar=KELD",
                "PageCount=2",
                "Page1=Pages\\tut01.txt",
                "Pict1=Pictures\\tut01.png,0",
                "[Calculations]",
                "Output=report.txt"};
    case Kind::Template:
        return {"<TITLE>Report</TITLE>Project <!TITLE$><BR>",
                "<H3>DUTY</H3>Heat duty <!QTOTAL#><BR>", "Rows <!NROWS&> tubes <!TUBESTOTAL&><P>",
                "Price <!COSTTOTAL#> on <!DATE>"};
    case Kind::Page:
        return {"<TITLE>Page</TITLE>", "<H1>Heading</H1>", "Plain text of the page,",
                "more text<BR>", "last<P>"};
    }
    return {};
}

std::string joined(const std::vector<std::string>& lines, std::string_view end) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += end;
    }
    return out;
}

std::string withNumber(Kind kind, std::string_view number) {
    std::vector<std::string> lines = properLines(kind);
    const std::string n(number);
    if (kind == Kind::Project) {
        // The price factor: read last, so every other check has passed.
        lines[9] = n + "<TEXT10>";
    } else if (kind == Kind::Config) {
        lines[1] = "TitleBar=" + n;
        lines[2] = "PageCount=" + n;
        lines[4] = "Pict1=Pictures\\tut01.png," + n;
    } else {
        lines[2] = n + " <BR>";
    }
    return joined(lines, "\r\n");
}

namespace {

std::string proper(Kind kind) {
    return joined(properLines(kind), "\r\n");
}

std::string empty(Kind) {
    return {};
}

std::string nulBytes(Kind) {
    return std::string(4096, '\0');
}

// 50 MB in one line, where each kind is most likely to keep it: a project
// title, a configured caption, template and page text with tags at both ends.
std::string hugeLine(Kind kind) {
    std::vector<std::string> lines = properLines(kind);
    const std::string huge(kHugeLine, 'x');
    switch (kind) {
    case Kind::Project:
        lines[3] = huge + "<TEXT4>";
        break;
    case Kind::Config:
        lines[1] = "TitleBar=" + huge;
        break;
    case Kind::Template:
        lines[0] = "<!TITLE$>" + huge + "<!QTOTAL#>";
        break;
    case Kind::Page:
        lines[2] = "<H1>" + huge + "</H1>";
        break;
    }
    return joined(lines, "\r\n");
}

// 50 MB in one line made of tags alone.
std::string hugeLineOfTags(Kind kind) {
    std::string unit;
    switch (kind) {
    case Kind::Project:
        unit = "<TEXT4>";
        break;
    case Kind::Config:
        unit = "[Brochure]";
        break;
    case Kind::Template:
        unit = "<!NROWS&>";
        break;
    case Kind::Page:
        unit = "<BR>";
        break;
    }
    std::string out;
    out.reserve(kHugeLine + unit.size());
    while (out.size() < kHugeLine) {
        out += unit;
    }
    return out;
}

std::string noLineEnds(Kind kind) {
    return joined(properLines(kind), "");
}
std::string crOnly(Kind kind) {
    return joined(properLines(kind), "\r");
}
std::string lfOnly(Kind kind) {
    return joined(properLines(kind), "\n");
}

// 0x81, a byte Windows-1252 leaves undefined, in the texts of the file.
std::string undefinedByte(Kind kind) {
    std::vector<std::string> lines = properLines(kind);
    switch (kind) {
    case Kind::Project:
        lines[3] = "Caf\xe9 \x81<TEXT4>";
        lines[8] = "E-\x81<TEXT9>";
        break;
    case Kind::Config:
        lines[1] = "TitleBar=KE\x81LD";
        lines[3] = "Page1=Pages\\t\x81.txt";
        break;
    case Kind::Template:
    case Kind::Page:
        for (std::string& line : lines) {
            line = "\x81" + line;
        }
        break;
    }
    return joined(lines, "\r\n");
}

// Every tag twice: each line of a project file twice (the later wins), each
// key of the configuration twice with another value (the first wins), each
// line of a template or page twice over in itself.
std::string everyTagTwice(Kind kind) {
    std::vector<std::string> twice;
    for (const std::string& line : properLines(kind)) {
        switch (kind) {
        case Kind::Project:
            twice.push_back(line);
            twice.push_back(line);
            break;
        case Kind::Config:
            twice.push_back(line);
            if (line.front() != '[') {
                twice.push_back(line + "9");
            }
            break;
        case Kind::Template:
        case Kind::Page:
            twice.push_back(line + line);
            break;
        }
    }
    if (kind == Kind::Project) {
        twice[7] = "Second title<TEXT4>";
    }
    return joined(twice, "\r\n");
}

std::string noTag(Kind) {
    return "Nothing here is a tag, a key or a section.\r\nJust 2 lines of text.\r\n";
}

std::string n1e400(Kind kind) {
    return withNumber(kind, "1e400");
}
std::string nMinus1e400(Kind kind) {
    return withNumber(kind, "-1e400");
}
std::string nNaN(Kind kind) {
    return withNumber(kind, "NaN");
}
std::string nHex(Kind kind) {
    return withNumber(kind, "&HFFFFFFFF");
}
std::string nMinusZero(Kind kind) {
    return withNumber(kind, "-0");
}
std::string n400Digits(Kind kind) {
    return withNumber(kind, std::string(400, '7'));
}

} // namespace

const std::vector<Shape>& shapes() {
    static const std::vector<Shape> all = {
        {"proper", Place::File, proper},
        {"empty", Place::File, empty},
        {"nul_bytes", Place::File, nulBytes},
        {"huge_line", Place::File, hugeLine},
        {"huge_line_of_tags", Place::File, hugeLineOfTags},
        {"no_line_ends", Place::File, noLineEnds},
        {"cr_only", Place::File, crOnly},
        {"lf_only", Place::File, lfOnly},
        {"byte_81", Place::File, undefinedByte},
        {"every_tag_twice", Place::File, everyTagTwice},
        {"no_tag", Place::File, noTag},
        {"number_1e400", Place::File, n1e400, true},
        {"number_minus_1e400", Place::File, nMinus1e400, true},
        {"number_nan", Place::File, nNaN, true},
        {"number_hex", Place::File, nHex, true},
        {"number_minus_zero", Place::File, nMinusZero, true},
        {"number_400_digits", Place::File, n400Digits, true},
        {"folder", Place::Folder, nullptr},
        {"unreadable", Place::Unreadable, proper},
        {"pipe", Place::Pipe, nullptr},
    };
    return all;
}

} // namespace keld::hostile
