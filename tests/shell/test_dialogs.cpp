// Tests of the portable dialogs.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include "shell_fixture.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace {

class DialogTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        directory_ = fs::temp_directory_path() /
                     ("cuprolay_dialogs_" + std::to_string(current_process_id()) + "_" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory_);
    }
    void TearDown() override {
        remove_tree(directory_.string());
        ShellTest::TearDown();
    }
    std::string path_of(const std::string& name) { return (directory_ / name).generic_string(); }
    static void write_text(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read_text(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path directory_;
};

TEST_F(DialogTest, MessageBoxReportsCancelOnlyWhenOfferedAndClearsControl) {
    input_state.control = 1;
    headless_answer_message(true);
    EXPECT_EQ(message_box("Warning", "Buffer not saved - really quit?", true), 1);
    EXPECT_EQ(input_state.control, 0);

    headless_answer_message(true);
    EXPECT_EQ(message_box("Message", "no cancel here", false), 0);
    EXPECT_EQ(transcript(),
              "message \"Warning\" \"Buffer not saved - really quit?\" -> cancel\n"
              "message \"Message\" \"no cancel here\" -> ok\n");
}

TEST_F(DialogTest, QuestionFormIsAQuestionBoxThatLeavesControlAlone) {
    input_state.control = 1;
    headless_answer_message(true);
    EXPECT_EQ(ask_prompt("Really?", nullptr, nullptr, 0), 1);
    EXPECT_EQ(ask_prompt("Really?", nullptr, nullptr, 0), 0);  // no answer: OK
    EXPECT_EQ(input_state.control, 1);
    EXPECT_NE(transcript().find("message \"Question\" \"Really?\" -> cancel"), std::string::npos);
}

TEST_F(DialogTest, AskTakesTheFirstLineAcceptsEmptyAndCutsToTheBuffer) {
    char answer[DIALOG_TEXT_SIZE] = "untouched";
    headless_answer_ask(nullptr);
    EXPECT_EQ(ask_prompt("value:", "10k", answer, sizeof answer), 1);
    EXPECT_STREQ(answer, "untouched");

    headless_answer_ask("first line\r\nsecond line");
    EXPECT_EQ(ask_prompt("value:", "10k", answer, sizeof answer), 0);
    EXPECT_STREQ(answer, "first line");

    headless_answer_ask("");
    EXPECT_EQ(ask_prompt("value:", "10k", answer, sizeof answer), 0);
    EXPECT_STREQ(answer, "");

    headless_answer_ask("\nafter an empty first line");
    EXPECT_EQ(ask_prompt("value:", "", answer, sizeof answer), 0);
    EXPECT_STREQ(answer, "");

    char small[4];
    headless_answer_ask("abcdef");
    EXPECT_EQ(ask_prompt("value:", "", small, sizeof small), 0);
    EXPECT_STREQ(small, "abc");

    // The field holds at most 254 characters.
    std::string typed(400, 'x');
    headless_answer_ask(typed.c_str());
    EXPECT_EQ(ask_prompt("value:", "", answer, sizeof answer), 0);
    EXPECT_EQ(std::strlen(answer), 254u);
}

TEST_F(DialogTest, FilterListsDependOnTheExtension) {
    FileFilter filters[2];
    struct { const char* extension; const char* label; const char* pattern; } rows[] = {
        {".cpx", "Cuprolay files (.cpx,.cyd,.cyr,.cyp,.cys,.ver)", "*.cpx;*.cyd;*.cyr;*.cyp;*.cys;*.ver"},
        {".pdf", "Acrobat files (.pdf)", "*.pdf"},
        {".ps", "Postscript files (.ps)", "*.ps"},
        {".bmp", "Cuprolay auxiliary files", "*.bmp"},
        {".ctr", "Cuprolay auxiliary files", "*.ctr"},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(file_filters_for(row.extension, filters, 2), 2);
        EXPECT_STREQ(filters[0].label, row.label);
        EXPECT_STREQ(filters[0].pattern, row.pattern);
        EXPECT_STREQ(filters[1].label, "All files");
        EXPECT_STREQ(filters[1].pattern, "*.*");
    }
    EXPECT_EQ(file_filters_for(".cpx", filters, 1), 1);
}

TEST_F(DialogTest, ExtensionOffsetLooksOnlyAtTheNamePart) {
    EXPECT_EQ(extension_offset("board.cpx"), 6);
    EXPECT_EQ(extension_offset("my.dir/board"), 0);
    EXPECT_EQ(extension_offset("my.dir\\a.b.cpx"), 11);
    EXPECT_EQ(extension_offset("board."), 6);
    EXPECT_EQ(extension_offset(""), 0);
}

TEST_F(DialogTest, SaveAsThenSaveRecordBaseNameAndCurrentFileName) {
    std::string path = path_of("board.cpx");
    input_state.control = 1;
    headless_answer_file(path.c_str());
    FILE* file = file_dialog('w', "Save as", "", ".cpx", false);
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(input_state.control, 0);
    EXPECT_EQ(std::string(dialog_state.base_name), path_of("board"));
    EXPECT_EQ(std::string(dialog_state.current_file_name), path);

    // Save: the current file itself, no question, no extension cut.
    file = open_output_file('w', dialog_state.current_file_name, 0, false);
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(std::string(dialog_state.base_name), path);
    EXPECT_EQ(std::string(dialog_state.current_file_name), path);
    EXPECT_EQ(transcript().find("message"), std::string::npos);
}

TEST_F(DialogTest, DecliningToOverwriteGivesNoFileAndKeepsTheOldOne) {
    std::string path = path_of("keep.cpx");
    write_text(path, "old contents\n");
    headless_answer_file(path.c_str());
    headless_answer_message(true);
    EXPECT_EQ(file_dialog('w', "Save as", "", ".cpx", false), nullptr);
    EXPECT_EQ(read_text(path), "old contents\n");
    EXPECT_NE(transcript().find("message \"Question\" \"" + path + "\\nalready exists. Overwrite?\" -> cancel"),
              std::string::npos);

    headless_answer_file(path.c_str());
    headless_answer_message(false);
    FILE* file = file_dialog('w', "Save as", "", ".cpx", false);
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(read_text(path), "");
}

TEST_F(DialogTest, OverwriteQuestionThatDoesNotFitIsRefused) {
    // An existing file whose path leaves no room for the question.
    // The question adds 27 characters; a path of 240 leaves no room for them
    // whatever the length of the temporary directory's own path.
    fs::path deep = directory_;
    while (deep.generic_string().size() < 180) deep /= std::string(40, 'd');
    fs::create_directories(deep);
    const size_t padding = 240 - deep.generic_string().size() - 1 - 4;
    std::string path = (deep / (std::string(padding, 'b') + ".cpx")).generic_string();
    ASSERT_EQ(path.size(), 240u);
    write_text(path, "old\n");
    headless_state.messages_to_stderr = false;
    EXPECT_EQ(open_output_file('w', path.c_str(), 0, true), nullptr);
    EXPECT_EQ(read_text(path), "old\n");
    EXPECT_EQ(transcript(), "message \"Error\" \"File name too long\" -> ok\n");
    EXPECT_STREQ(dialog_state.current_file_name, "");

    std::string too_long(300, 'n');
    EXPECT_EQ(open_output_file('r', too_long.c_str(), 0, false), nullptr);
    EXPECT_STREQ(dialog_state.current_file_name, "");
}

TEST_F(DialogTest, OnlyBoardOpenAndSaveDialogsChangeTheCurrentFileName) {
    std::string missing = path_of("new.cpx");
    // Open/New with a name that does not exist yet: no file, but the name
    // is remembered so that Save creates it.
    headless_answer_file(missing.c_str());
    EXPECT_EQ(file_dialog('r', "Find", "", ".cpx", false), nullptr);
    EXPECT_EQ(std::string(dialog_state.current_file_name), missing);

    std::string other = path_of("part.cpx");
    write_text(other, "");
    headless_answer_file(other.c_str());
    FILE* file = file_dialog('r', "Insert file", dialog_state.base_name, ".cpx", true);
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    std::string picture = path_of("out.pdf");
    headless_answer_file(picture.c_str());
    file = file_dialog('w', "Print", dialog_state.base_name, ".pdf", false);
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(std::string(dialog_state.current_file_name), missing);
    EXPECT_EQ(std::string(dialog_state.base_name), path_of("out"));

    headless_answer_file(nullptr);
    EXPECT_EQ(file_dialog('w', "Save as", dialog_state.base_name, ".cpx", false), nullptr);
    EXPECT_EQ(std::string(dialog_state.base_name), path_of("out"));
    EXPECT_NE(transcript().find("file w \"Save as\" \"" + path_of("out") + "\" \".cpx\" -> cancel"),
              std::string::npos);
}

TEST_F(DialogTest, ExportFieldsKeepTheOldValueWhenNotANumber) {
    export_settings.export_hscale = 1.5f;
    headless_answer_export('P', "garbage", "0.75mm", false);
    EXPECT_FALSE(export_dialog());
    EXPECT_EQ(export_settings.export_format, 'P');
    EXPECT_FLOAT_EQ(export_settings.export_hscale, 1.5f);
    EXPECT_FLOAT_EQ(export_settings.export_vscale, 0.75f);
    EXPECT_EQ(dialog_state.dialog_mode, DIALOG_EXPORT);

    EXPECT_EQ(transcript(), "export -> P garbage 0.75mm\n");
}

ExportDialogFields shown_fields;
int show_export_fields(ExportDialogFields* fields, void (*)(char)) {
    shown_fields = *fields;
    return 1;
}

TEST_F(DialogTest, ExportFieldsStartAsTheSettingsWithTwoDecimals) {
    export_settings.export_format = 'Q';
    export_settings.export_hscale = 1.5f;
    export_settings.export_vscale = 0.666f;
    PlatformBackend spy = *platform;
    spy.export_dialog = show_export_fields;
    set_platform(&spy);
    EXPECT_TRUE(export_dialog());
    EXPECT_EQ(shown_fields.format, 'Q');
    EXPECT_STREQ(shown_fields.hscale_text, "1.50");
    EXPECT_STREQ(shown_fields.vscale_text, "0.67");
}

TEST_F(DialogTest, CancelAfterAFormatClickStillChangesTheFormat) {
    export_settings.export_vscale = 1.25f;
    headless_answer_export('Q', "2", "2", true);
    EXPECT_TRUE(export_dialog());
    EXPECT_EQ(export_settings.export_format, 'Q');
    EXPECT_FLOAT_EQ(export_settings.export_hscale, 1.0f);
    EXPECT_FLOAT_EQ(export_settings.export_vscale, 1.25f);

    EXPECT_TRUE(export_dialog());  // no answer: Cancel, nothing changes
    EXPECT_EQ(export_settings.export_format, 'Q');
    EXPECT_EQ(transcript(), "export -> cancel\nexport -> cancel\n");
}

TEST_F(DialogTest, ExportScalesAreClampedAndNotANumberBecomesTheMinimum) {
    const struct { float in, out; } rows[] = {
        {0.3f, 0.5f}, {0.5f, 0.5f}, {1.25f, 1.25f}, {2.0f, 2.0f}, {3.0f, 2.0f},
        {-1.0f, 0.5f}, {NAN, 0.5f}, {INFINITY, 2.0f},
    };
    for (const auto& row : rows) {
        export_settings.export_hscale = row.in;
        export_settings.export_vscale = row.in;
        clamp_export_scales();
        EXPECT_FLOAT_EQ(export_settings.export_hscale, row.out) << row.in;
        EXPECT_FLOAT_EQ(export_settings.export_vscale, row.out) << row.in;
    }
}

int help_open_seen = -1;
void record_help_open(const char*) { help_open_seen = input_state.help_open; }

TEST_F(DialogTest, HelpTitlesComeFromTheCallerTheTableOrQuickHelp) {
    EXPECT_STREQ(help_topic_title(257), "Cuprolay manual");
    EXPECT_STREQ(help_topic_title(268), "Printing");
    EXPECT_STREQ(help_topic_title(273), "Commands in alphabetical order");
    EXPECT_EQ(help_topic_title(256), nullptr);
    EXPECT_EQ(help_topic_title(274), nullptr);

    help_viewer(268, nullptr);
    EXPECT_EQ(headless_state.last_help_title, "Printing");
    help_viewer(258, "Quick help");
    EXPECT_EQ(headless_state.last_help_title, "Quick help");
    help_viewer(65, nullptr);
    EXPECT_EQ(headless_state.last_help_title, "Quick help");
    EXPECT_EQ(headless_state.help_calls, 3);
    EXPECT_EQ(transcript(), "help \"Printing\"\nhelp \"Quick help\"\nhelp \"Quick help\"\n");

    PlatformBackend spy = *platform;
    spy.help_viewer = record_help_open;
    set_platform(&spy);
    help_viewer(258, nullptr);
    EXPECT_EQ(help_open_seen, 1);
    EXPECT_EQ(input_state.help_open, 0);
    EXPECT_STREQ(dialog_state.help_title, "About Cuprolay");
}

TEST_F(DialogTest, ZoomToggleFitsTheClientAreaToTheDesktop) {
    zoom_toggle();
    EXPECT_EQ(canvas.zoom, 20);
    EXPECT_EQ(headless_state.client_width, 1260);
    EXPECT_EQ(headless_state.client_height, 756);
    EXPECT_EQ(headless_state.max_client_width, 1270);
    EXPECT_EQ(headless_state.max_client_height, 856);
    zoom_toggle();
    EXPECT_EQ(canvas.zoom, 10);
    EXPECT_EQ(headless_state.client_width, 639);
    EXPECT_EQ(headless_state.client_height, 455);
    EXPECT_EQ(headless_state.max_client_width, 639);
    EXPECT_EQ(headless_state.max_client_height, 455);

    headless_state.desktop_width = 1024;
    headless_state.desktop_height = 768;
    zoom_toggle();
    EXPECT_EQ(headless_state.client_width, 1004);
    EXPECT_EQ(headless_state.client_height, 668);
}

}  // namespace
