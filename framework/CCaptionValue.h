#pragma once

#include "S_ECR_CAP.h"

// One caption as a caption file holds it: the value of key "<caption number>"
// in section "<window number>", 17 fields joined by U+2FFF:
//   lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight, lfItalic,
//   lfUnderline, lfStrikeOut, lfCharSet, lfOutPrecision, lfClipPrecision,
//   lfQuality, lfPitchAndFamily, lfFaceName, Text, TipOn, TipText.
// Line breaks are written as backslash-"n" and read back as CR LF; a
// backslash of the text is written doubled.
//
// A caption without a font is written with thirteen zero font fields and a
// blank face, and reads back without a font, so the control keeps its
// dialog's font.
class CCaptionValue
{
public:
    static constexpr wchar_t Separator = 0x2FFF;
    static constexpr int FaceLength = LF_FACESIZE - 1;  // characters kept of a face name

    LOGFONTW Font;     // all zero with an empty face: no font
    CString Text;
    int TipOn = 0;
    CString TipText;

    CCaptionValue();

    // The fields of a record; a record without a usable font gives zero fields.
    static CCaptionValue FromRecord(const S_ECR_CAP& cap);
    // Fills a record that has no font yet: font (when the value has one),
    // text and tooltip.
    void ToRecord(S_ECR_CAP& cap) const;
    bool HasFont() const;

    // The value to write: empty face and texts as one blank, line breaks
    // (CR LF, a lone CR or LF) as backslash-"n", U+2FFF left out of texts.
    CString Format() const;

    // Reads a value as the file holds it. Runs of separators count as one.
    // FALSE, leaving this value as it was, when the value is no caption: fewer
    // than 14 fields, a font field or the tooltip switch that is not a whole
    // decimal number, or a byte-sized font field outside 0 to 255. Fields 15
    // to 17 may be missing. A face longer than 31 characters is cut.
    BOOL Parse(const CString& value);

    // CR LF, lone CR and lone LF to backslash-"n" and a backslash doubled,
    // and back: backslash-"n" to CR LF, two backslashes to one.
    static CString EscapeLineBreaks(const CString& text);
    static CString UnescapeLineBreaks(const CString& value);
};
