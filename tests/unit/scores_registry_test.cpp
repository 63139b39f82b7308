// The player registry on real files: registering players, recording best results and deleting players.
#include "scores_testing.h"

TEST_F(ScoreFileTest, RegistryChangesRewriteTheFileAsDesigned) {
    constexpr int easy = 1, hard = 3, colorLines = 5, casual = 6;
    const auto changes = [&](const std::string& before, const std::string& after, const std::string& printed,
                             const std::function<void(const std::string&)>& action) {
        writeText(scoreFile, before);
        EXPECT_EQ(printedBy([&] { action(scoreFile); }), printed) << before;
        EXPECT_EQ(readText(scoreFile), after) << before;
    };
    std::string ten;
    for (int i = 1; i <= 10; ++i)
        ten += player("P" + std::to_string(i));
    const std::string ab = player("A") + player("B"),
                      a500 = player("A", "500,7,2\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n");
    const std::string twins = player("A") + player("A", "9,9,9\n9,9,9\n9,9,9\n9,9,9\n77,1,1\n");
    changes(noFile, withLast(player("A"), "A"), "", [](auto& f) { addPlayer(f, "A"); });
    changes(withLast(player("A"), "A"), withLast(ab, "B"), "", [](auto& f) { addPlayer(f, "B"); });
    changes(withLast(ab, "B"), withLast(ab, "B"), "Игрок с именем \"A\" уже существует в файле рекордов.\n",
            [](auto& f) { addPlayer(f, "A"); });
    // The refusal goes to standard output, a file missing for the last player to standard error.
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    addPlayer(scoreFile, "A");
    setLastPlayer(dir + "/none", "A");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout() + "|" + err,
              "Игрок с именем \"A\" уже существует в файле рекордов.\n|Не удалось открыть файл " + dir +
                  "/none для обновления последнего игрока.\n");
    changes(withLast(ten, "P1"), withLast(ten, "P1"),
            "Максимальное количество игроков (10) достигнуто. Новый игрок не добавлен.\n",
            [](auto& f) { addPlayer(f, "P11"); });
    changes("\xEF\xBB\xBF" + withLast(ab, "B"), // a byte-order mark, as Notepad saves it, is dropped
            withLast(player("A", "0,0,0\n0,0,0\n220,1,4\n0,0,0\n0,0,0\n") + player("B"), "A"), "",
            [](auto& f) { recordResult(f, "A", hard, 220, 1, 4); });
    changes("\n" + withLast(a500, "B") + "junk\n", withLast(a500, "A"), "",
            [](auto& f) { recordResult(f, "A", easy, 500, 9, 9); });
    changes(withLast(ab + "Bare\n", "A"), withLast(ab + "Bare\n", "Nobody"), "", [](auto& f) {
        for (int mode : {0, casual, -1})
            recordResult(f, "A", mode, 900, 1, 1);
        recordResult(f, "Bare", easy, 900, 1, 1);
        recordResult(f, "Nobody", easy, 900, 1, 1);
    });
    changes(
        withLast(twins, "A"),
        withLast(player("A", "0,0,0\n0,0,0\n0,0,0\n0,0,0\n50,2,3\n") + twins.substr(twins.find("\nA") + 1),
                 "A"),
        "", [](auto& f) { recordResult(f, "A", colorLines, 50, 2, 3); });
    changes(withLast(ab + player("C"), "B"), withLast(player("A") + player("C"), "C"), "",
            [](auto& f) { deletePlayer(f, "B"); });
    changes(withLast(twins, "A"), "[LAST_PLAYER]\n\n", "", [](auto& f) { deletePlayer(f, "A"); });
    const std::string refused =
        "Имя игрока не может быть пустым, содержать запятую или перевод строки и "
        "совпадать с [LAST_PLAYER]. Новый игрок не добавлен.\nИмя игрока не записано в "
        "файл рекордов: оно пустое, содержит запятую или перевод строки либо совпадает с "
        "[LAST_PLAYER].\n";
    for (const char* name : {"", "a,b", "a\nb",
                             "\xEF\xBB\xBF"
                             "A",
                             "A\r", "[LAST_PLAYER]"}) {
        EXPECT_FALSE(isStorableName(name)) << name;
        for (const std::string& before : {noFile, withLast(player("A"), "A")})
            changes(before, before, refused, [&](auto& f) { addPlayer(f, name), setLastPlayer(f, name); });
    }
}
