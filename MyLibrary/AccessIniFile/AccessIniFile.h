// The settings file class: the whole INI file as a list of lines of held text in memory. Every
// section and key operation goes through one line engine, WalkSection, which reads the lines by the
// dialect of IniDialect.h:
// - a section opens at the first line whose bracketed name matches, comment lines included,
//   and ends at the next section line (any line with "[" before "]", so k=[x] ends it too);
// - names compare ignoring letter case; values read are blank-trimmed, then lose one pair of
//   double quotes; values written are stored exactly as given;
// - a new key goes after the section's last key line, a new section at the end of the file.
// The file is loaded by the constructor and written only by SaveIfChanged, in the encoding it
// was read in; a read-only file, or one the lines could not carry exactly, is never written.
// The destructor never writes and never throws.
#pragma once

#include <optional>
#include <vector>

#include "MyLibrary/AccessIniFile/CustomIniFile.h"

namespace stem {

enum TIniOperation {
    OpRead = 0,
    OpWrite = 1,
    OpDeleteKey = 2,
    OpEraseSection = 3,
    OpSectionPairs = 4,
};

class TAccessIniFile : public TCustomIniFile {
public:
    // Loads the file when there is one at the path; raises FileError when it cannot be read.
    explicit TAccessIniFile(const WideString& fileName);

    Utf8String ReadValue(const Utf8String& section, const Utf8String& key,
                         const Utf8String& defaultValue) override;
    // Texts are taken up to a NUL byte: a NUL in the lines would cut the file short.
    void WriteValue(const Utf8String& section, const Utf8String& key,
                    const Utf8String& value) override;
    void ReadSectionKeys(const Utf8String& section, TStringLines& keys) override;
    void ReadSectionNames(TStringLines& names) override;
    // A key that occurs more than once carries its first value in each of its entries.
    void ReadSectionPairs(const Utf8String& section, TStringLines& pairs) override;
    // The same before the keys take their first values: each entry with its own line's value.
    // Enough where only the first entry of each key is wanted.
    void ReadSectionLines(const Utf8String& section, TStringLines& pairs);
    // Keeps the blank lines and comments at the end of the section.
    void EraseSection(const Utf8String& section) override;
    // Deletes every line of the key within the section.
    void DeleteKey(const Utf8String& section, const Utf8String& key) override;
    TSaveOutcome SaveIfChanged() override;

    const WideString& FileName() const { return fileName_; }
    TIniEncoding Encoding() const { return encoding_; }
    // False when the file held what the lines cannot carry (see IniFileText.h).
    bool Faithful() const { return faithful_; }
    // SaveIfChanged writes only a faithful file that is not read-only.
    bool MayWrite() const;

protected:
    // The first key line of the section tells, without the list of its keys: a press asks this
    // of a section of any size.
    bool SectionHasKey(const Utf8String& section) override;

private:
    Utf8String WalkSection(const Utf8String& section, const Utf8String& key,
                           const Utf8String& value, TStringLines* output, TIniOperation operation);
    void InsertKeyLine(int end, const Utf8String& line);
    void EraseLines(int header, int end);
    void Resplit();

    TAccessIniFile(const WideString& fileName, TIniFileContent content);

    WideString fileName_;
    TStringLines lines_;
    // The lines as loaded or last saved, copied before the first change after that, so that
    // reading a large file holds it once and SaveIfChanged can tell a real change.
    std::optional<TStringLines> savedLines_;
    TIniEncoding encoding_;
    bool faithful_;
};

}  // namespace stem
