#include "sound/soundtable.h"

#include "frame/cp932.h"
#include "frame/itemreader.h"

#include <array>

namespace zanfolio {

namespace {

using RoleSlots = std::array<QString, kSoundCountSlot + 1>;

const QString& blockEnd() {
    static const QString end = QStringLiteral("*");
    return end;
}

// Reads the names after a role header up to the "*" that ends the block.
void readBlock(ItemReader& reader, RoleSlots& files) {
    for (int k = 1; k <= kMaxSoundAlternatives; ++k) {
        std::optional<Item> item = reader.next();
        // The classroom program stopped with a read error when the last block had no "*";
        // the names read so far are a block all the same.
        if (!item || item->text == blockEnd()) {
            files[kSoundCountSlot] = QString::number(k - 1);
            return;
        }
        files[size_t(k)] = item->text;
    }
    // Twenty names fill the block. Its "*" (or the end of the file) still closes it with a
    // count of 20; the classroom program read that "*" as the next header and left the count
    // empty, so a full block of the documented twenty always played its first file.
    ItemReader ahead = reader;
    std::optional<Item> item = ahead.next();
    if (!item || item->text == blockEnd()) {
        reader = ahead;
        files[kSoundCountSlot] = QString::number(kMaxSoundAlternatives);
    }
    // A twenty-first name: the count stays empty and the reader goes on at that name.
}

} // namespace

QString soundRoleName(int role) {
    static const std::array<QString, kSoundRoleCount + 1> names{
        QString(),
        QStringLiteral("正解音1"),
        QStringLiteral("正解音2"),
        QStringLiteral("間違い音1"),
        QStringLiteral("間違い音2"),
        QStringLiteral("最高音1"),
        QStringLiteral("最高音2"),
        QStringLiteral("自己最高音1"),
        QStringLiteral("自己最高音2"),
        QStringLiteral("自己最高音3"),
        QStringLiteral("不合格音1"),
    };
    return role >= 1 && role <= kSoundRoleCount ? names[size_t(role)] : QString();
}

QString soundListFile(const Installation& installation) {
    return installation.SoundDir + QStringLiteral("新音ファイル.txt");
}

Status LoadSoundTable(const Installation& installation, SoundList& sounds) {
    const QString path = soundListFile(installation);
    Result<QString> text = readCp932File(path);
    if (!text) {
        Error e = text.error();
        e.file = path;
        e.message =
            e.kind == ErrorKind::NotFound
                ? QStringLiteral("音ファイル一覧「%1」が見つかりません。").arg(path)
                : QStringLiteral("音ファイル一覧「%1」を読めません。\n%2").arg(path, e.message);
        e.endsProgram = true;
        return e;
    }

    auto& table = sounds.SoundTable;
    for (RoleSlots& files : table)
        files.fill(QString());
    for (int role = 1; role <= kSoundRoleCount; ++role)
        table[size_t(role)][0] = soundRoleName(role);

    ItemReader reader(*text);
    while (std::optional<Item> header = reader.next()) {
        for (int role = 1; role <= kSoundRoleCount; ++role) {
            if (header->text == table[size_t(role)][0])
                readBlock(reader, table[size_t(role)]);
        }
    }
    return Ok{};
}

} // namespace zanfolio
