#include "platform/FormatSettings.h"
#include "settings/SettingsManager.h"

#include <gtest/gtest.h>

namespace {

const char* const Sample =
    R"({"A":3,"S":"x","T":true,"N":null,)"
    R"("Data":{"DaysPerLine":2,"Intervals":[{"Position":3600,"Sub":{"K":1}}]},"L":[1,[2]]})";

std::string AfterSet(const char* start, const char* path, const char* value) {
    TSettingsHandle handle(start);
    handle.Set(path, value);
    EXPECT_EQ(handle.Depth(), 1) << path;
    return handle.ToText();
}

} // namespace

TEST(SettingsHandle, SetCreatesWhatThePathNeeds) {
    struct Case {
        const char* Start;
        const char* Path;
        const char* Value;
        const char* Expected;
    };
    const Case cases[] = {
        {"{}", "Data.Intervals.0.Position", "3600", R"({"Data":{"Intervals":[{"Position":3600}]}})"},
        {R"({"Data":{"Intervals":[{"Position":3600}]}})", "Data.Intervals.1.Position", "7200",
         R"({"Data":{"Intervals":[{"Position":3600},{"Position":7200}]}})"},
        {R"({"Data":{"Intervals":[{"Position":3600,"Name":"a"}]}})", "Data.Intervals.0.Position", "1",
         R"({"Data":{"Intervals":[{"Name":"a","Position":1}]}})"},
        {"{}", "Data.0.1", "true", R"({"Data":[[true]]})"},
        {R"({"A":0,"B":1})", "A", "1", R"({"B":1,"A":1})"},
        {R"({"L":[1,2,3]})", "L.1", "9", R"({"L":[1,9,3]})"},
        {R"({"L":[1,2,3]})", "L.5", "9", R"({"L":[1,2,3,9]})"},
        {"{}", "ID", R"("AbC123xy")", R"({"ID":"AbC123xy"})"},
        {"{}", "Obj", R"({"x":[1,{"y":null}]})", R"({"Obj":{"x":[1,{"y":null}]}})"},
        // Inside a path, digits name an object's member, never another member by position.
        {R"({"O":{"a":{}}})", "O.0.X", "1", R"({"O":{"a":{},"0":{"X":1}}})"},
        {"{}", "A..B", "1", R"({"A":{"":{"B":1}}})"},
        // Requests that cannot be carried out change nothing.
        {R"({"A":1})", "A.B", "2", R"({"A":1})"},
        {R"({"L":[1]})", "L.x", "2", R"({"L":[1]})"},
        {R"({"L":[1]})", "L.-1", "2", R"({"L":[1]})"},
        {R"({"A":1})", "B", "not json", R"({"A":1})"},
        {R"({"A":1})", "B.C", "{", R"({"A":1})"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AfterSet(c.Start, c.Path, c.Value), c.Expected) << c.Start << " " << c.Path;
    }
}

TEST(SettingsHandle, ReadingByPath) {
    TSettingsHandle handle(Sample);
    struct Case {
        const char* Path;
        TVariant Value;
        int Type;
    };
    const Case cases[] = {
        {"A", 3.0, SettingsNumber},
        {"S", "x", SettingsString},
        {"T", true, SettingsBoolean},
        {"N", TVariant::Null(), SettingsNull},
        {"Data.DaysPerLine", 2.0, SettingsNumber},
        {"Data.Intervals.0.Position", 3600.0, SettingsNumber},
        {"Data.Intervals.0.Sub.K", 1.0, SettingsNumber},
        {"Data.Intervals", R"([{"Position":3600,"Sub":{"K":1}}])", SettingsList},
        {"L.1", "[2]", SettingsList},
        {"L.1.0", 2.0, SettingsNumber},
        {"Data", R"({"DaysPerLine":2,"Intervals":[{"Position":3600,"Sub":{"K":1}}]})", SettingsObject},
        // Missing paths, and paths running through a leaf, yield the integer 0.
        {"A.B", 0, SettingsNull},
        {"Data.Intervals.1", 0, SettingsNull},
        {"Data.Intervals.1.Position", 0, SettingsNull},
        {"Missing", 0, SettingsNull},
        {"a", 0, SettingsNull}, // names are case-sensitive
        {"L.01x", 0, SettingsNull},
        {"L.+1", 0, SettingsNull},
        {"L.99999999999999999999999", 0, SettingsNull},
        {"Data..DaysPerLine", 0, SettingsNull},
        {"", 0, SettingsNull},
    };
    for (const Case& c : cases) {
        const TVariant value = handle.Get(c.Path);
        EXPECT_EQ(value, c.Value) << c.Path;
        EXPECT_EQ(value.Kind(), c.Value.Kind()) << c.Path;
        EXPECT_EQ(handle.TypeOf(c.Path), c.Type) << c.Path;
        const bool missing = c.Value.Kind() == TVariant::TKind::Integer;
        EXPECT_EQ(handle.Exists(c.Path), !missing) << c.Path;
        EXPECT_EQ(handle.IsLeaf(c.Path), c.Type != SettingsList && c.Type != SettingsObject) << c.Path;
    }
    EXPECT_EQ(handle.Depth(), 1);
    EXPECT_TRUE(handle.IsNull("N"));
    EXPECT_TRUE(handle.IsNull("Missing"));
    EXPECT_TRUE(handle.IsString("S"));
    EXPECT_TRUE(handle.IsList("L"));
    EXPECT_TRUE(handle.IsObject("Data.Intervals.0"));
    EXPECT_EQ(handle.CountOf("Data.Intervals"), 1);
    EXPECT_EQ(handle.CountOf("Data"), 2);
    EXPECT_EQ(handle.CountOf("A"), 0);
    EXPECT_EQ(handle.CountOf("Missing"), 0);
}

TEST(SettingsHandle, EnterAndLeave) {
    TSettingsHandle handle(Sample);
    const std::string interval = R"({"Position":3600,"Sub":{"K":1}})";

    ASSERT_TRUE(handle.Enter("Data.Intervals"));
    ASSERT_TRUE(handle.Enter("0"));
    EXPECT_EQ(handle.ToText(), interval);
    handle.Leave();
    handle.Leave();
    EXPECT_EQ(handle.Depth(), 1);

    // One step, one Leave.
    ASSERT_TRUE(handle.Enter("Data.Intervals.0"));
    EXPECT_EQ(handle.ToText(), interval);
    EXPECT_EQ(handle.Depth(), 2);
    handle.Leave();
    EXPECT_EQ(handle.ToText(), TSettingsHandle(Sample).ToText());

    // Failures leave the handle where it was.
    for (const char* path : {"A", "Data.DaysPerLine", "Data.Intervals.0.Position", "Data.Intervals.0.Sub.x",
                             "Data.Intervals.0.Sub", "Missing", "L.0", "9", "1", "Data.Missing.X"}) {
        EXPECT_FALSE(handle.Enter(path)) << path;
        EXPECT_EQ(handle.Depth(), 1) << path;
    }

    EXPECT_TRUE(handle.Enter(""));
    EXPECT_EQ(handle.Depth(), 1);

    // Digits alone pick a child by position, in objects too: position 4 is "Data".
    ASSERT_TRUE(handle.Enter("4"));
    EXPECT_EQ(handle.Get("DaysPerLine"), TVariant(2.0));
    ASSERT_TRUE(handle.Enter("/"));
    EXPECT_EQ(handle.Count(), 6);
    handle.Leave();
    EXPECT_EQ(handle.Get("DaysPerLine"), TVariant(2.0));
    handle.Leave();

    ASSERT_TRUE(handle.Enter("L"));
    EXPECT_FALSE(handle.EnterIndex(0)); // a leaf
    EXPECT_FALSE(handle.EnterIndex(2));
    EXPECT_FALSE(handle.EnterIndex(-1));
    ASSERT_TRUE(handle.EnterIndex(1));
    EXPECT_EQ(handle.ToText(), "[2]");
    handle.Leave();
    handle.Leave();
    handle.Leave(); // the root too; more Leaves are harmless
    handle.Leave();
    EXPECT_EQ(handle.Depth(), 0);
    EXPECT_EQ(handle.ToText(), "");
    EXPECT_FALSE(handle.Enter("Data"));
}

TEST(SettingsHandle, ReadingByPosition) {
    TSettingsHandle handle(Sample);
    EXPECT_EQ(handle.Count(), 6);
    EXPECT_EQ(handle.NodeType(), SettingsObject);
    EXPECT_EQ(handle.NameOf(1), "S");
    EXPECT_EQ(handle.NameOf(6), "");
    EXPECT_EQ(handle.GetAt(0), TVariant(3.0));
    EXPECT_TRUE(handle.GetAt(4).IsEmpty()); // a container
    EXPECT_EQ(handle.GetAt(6).Kind(), TVariant::TKind::Integer);
    EXPECT_EQ(handle.GetAt(-1).Kind(), TVariant::TKind::Integer);
    EXPECT_TRUE(handle.IsLeafAt(0));
    EXPECT_FALSE(handle.IsLeafAt(5));
    EXPECT_EQ(handle.TypeOfAt(2), SettingsBoolean);
    EXPECT_EQ(handle.TypeOfAt(5), SettingsList);

    ASSERT_TRUE(handle.Enter("L"));
    EXPECT_EQ(handle.NodeType(), SettingsList);
    EXPECT_EQ(handle.NameOf(0), ""); // lists have no names
    EXPECT_EQ(handle.GetAt(0), TVariant(1.0));

    TSettingsHandle empty;
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_EQ(empty.NodeType(), SettingsNull);
    EXPECT_EQ(empty.Get("A").Kind(), TVariant::TKind::Integer);
    empty.Set("A", "1"); // nothing to write into
    EXPECT_EQ(empty.ToText(), "");
    try {
        empty.TypeOfAt(0);
        ADD_FAILURE() << "TypeOfAt without a container must raise";
    } catch (const TSettingsError& error) {
        EXPECT_STREQ(error.what(), "Invalid node do call TypeOf for.");
    }
}

TEST(SettingsHandle, FindName) {
    TSettingsHandle handle(R"({"a":[1],"b":1,"c":"x","d":1,"e":null,"f":true})");
    EXPECT_EQ(handle.FindName(1), "b");
    EXPECT_EQ(handle.FindName(1.0), "b");
    EXPECT_EQ(handle.FindName("x"), "c");
    EXPECT_EQ(handle.FindName(TVariant::Null()), "e");
    EXPECT_EQ(handle.FindName(true), "f");
    EXPECT_EQ(handle.FindName("1"), "");
    EXPECT_EQ(handle.FindName(2), "");
}

TEST(SettingsHandle, Merge) {
    struct Case {
        const char* Start;
        const char* Fragment;
        const char* Expected;
    };
    const Case cases[] = {
        {R"({"Axes":{"FontName":"Arial","FontSize":8}})", R"({"Axes":{"FontSize":10}})",
         R"({"Axes":{"FontName":"Arial","FontSize":10}})"},
        {R"({"Axes":{"FontName":"Arial","FontSize":8}})", R"({"Axes":3})", R"({"Axes":3})"},
        {R"({"L":[1,2,3]})", R"({"L":[4]})", R"({"L":[4]})"},
        {R"({"Data":{"Channel":1}})", R"({"Data.DaysPerLine":2,"StopAt":"Axes"})",
         R"({"Data":{"Channel":1,"DaysPerLine":2},"StopAt":"Axes"})"},
        {"{}", R"({"Data.DaysPerLine":2})", R"({"Data":{"DaysPerLine":2}})"},
        {R"({"A":{"B":{"C":1,"D":2}}})", R"({"A":{"B":{"D":3,"E":4}}})",
         R"({"A":{"B":{"C":1,"D":3,"E":4}}})"},
        {R"({"A":{"B":{"C":1}}})", R"({"A.B":{"D":2}})", R"({"A":{"B":{"C":1,"D":2}}})"},
        {R"({"I":[{"P":1,"Q":2}]})", R"({"I.0":{"P":5}})", R"({"I":[{"Q":2,"P":5}]})"},
        {R"({"A":1})", "{}", R"({"A":1})"},
    };
    for (const Case& c : cases) {
        TSettingsHandle handle(c.Start);
        handle.Merge(c.Fragment);
        EXPECT_EQ(handle.ToText(), c.Expected) << c.Fragment;
    }
}

TEST(SettingsHandle, MergeIntoListsAndLeaves) {
    TSettingsHandle handle(R"({"L":[1,2],"O":{}})");
    ASSERT_TRUE(handle.Enter("L"));
    handle.Merge(R"([3,{"a":4}])");
    EXPECT_EQ(handle.ToText(), R"([3,{"a":4}])");
    handle.Merge(R"({"a":1})"); // not a list: nothing
    handle.Merge("5");
    EXPECT_EQ(handle.ToText(), R"([3,{"a":4}])");
    handle.Leave();
    EXPECT_EQ(handle.ToText(), R"({"L":[3,{"a":4}],"O":{}})");
}

TEST(SettingsHandle, MergeOfBadTextRaisesAndChangesNothing) {
    struct Case {
        const char* Enter;
        const char* Text;
        const char* Message;
    };
    const Case cases[] = {
        {"", "not json", "Failed to parse JSON string as Object."},
        {"", R"({"A":)", "Failed to parse JSON string as Object."},
        {"", "[1]", "Failed to parse JSON string as Object."},
        {"L", "[1", "Failed to parse JSON string as List."},
        {"L", "", "Failed to parse JSON string as List."},
    };
    for (const Case& c : cases) {
        TSettingsHandle handle(R"({"A":1,"L":[2]})");
        ASSERT_TRUE(handle.Enter(c.Enter));
        try {
            handle.Merge(c.Text);
            ADD_FAILURE() << c.Text << " must raise";
        } catch (const TSettingsError& error) {
            EXPECT_STREQ(error.what(), c.Message) << c.Text;
        }
        EXPECT_EQ(TSettingsHandle(*handle.Settings()).ToText(), R"({"A":1,"L":[2]})") << c.Text;
    }
    EXPECT_THROW(TSettingsHandle("[]"), TSettingsError);
}

TEST(SettingsHandle, InsertIntoList) {
    struct Case {
        int Index;
        const char* Expected;
    };
    const Case cases[] = {{0, "[9,1,2,3]"}, {1, "[1,9,2,3]"},  {2, "[1,2,9,3]"},
                          {3, "[1,2,3,9]"}, {10, "[1,2,3,9]"}, {-1, "[9,1,2,3]"}};
    for (const Case& c : cases) {
        TSettingsHandle handle(R"({"L":[1,2,3]})");
        ASSERT_TRUE(handle.Enter("L"));
        handle.InsertIntoList("9", c.Index);
        EXPECT_EQ(handle.ToText(), c.Expected) << c.Index;
    }
    TSettingsHandle handle(R"({"L":[]})");
    ASSERT_TRUE(handle.Enter("L"));
    handle.InsertIntoList(R"({"a":1})", 0);
    handle.AddToList("[2]");
    handle.AddToList("bad");
    EXPECT_EQ(handle.ToText(), R"([{"a":1},[2]])");
    handle.Leave();
    handle.AddToList("1"); // the root is an object, not a list
    EXPECT_EQ(handle.ToText(), R"({"L":[{"a":1},[2]]})");
}

TEST(SettingsHandle, DeleteAndClear) {
    struct Case {
        const char* Path;
        const char* Expected;
    };
    const Case cases[] = {
        {"Data.StartDate", R"({"StopAt":"Axes","Data":{"Channel":1},"L":[1,2]})"},
        {"StopAt", R"({"Data":{"StartDate":5,"Channel":1},"L":[1,2]})"},
        {"Data", R"({"StopAt":"Axes","L":[1,2]})"},
        {"L.0",
         R"({"StopAt":"Axes","Data":{"StartDate":5,"Channel":1},"L":[1,2]})"}, // list elements: DeleteAt
        {"Missing", R"({"StopAt":"Axes","Data":{"StartDate":5,"Channel":1},"L":[1,2]})"},
        {"Data.Missing", R"({"StopAt":"Axes","Data":{"StartDate":5,"Channel":1},"L":[1,2]})"},
    };
    const char* const start = R"({"StopAt":"Axes","Data":{"StartDate":5,"Channel":1},"L":[1,2]})";
    for (const Case& c : cases) {
        TSettingsHandle handle(start);
        handle.Delete(c.Path);
        EXPECT_EQ(handle.ToText(), c.Expected) << c.Path;
    }
    TSettingsHandle handle(start);
    ASSERT_TRUE(handle.Enter("L"));
    handle.DeleteAt(2);
    handle.DeleteAt(-1);
    handle.DeleteAt(0);
    EXPECT_EQ(handle.ToText(), "[2]");
    handle.Leave();
    ASSERT_TRUE(handle.Enter("Data"));
    handle.Clear();
    handle.Leave();
    EXPECT_EQ(handle.ToText(), R"({"StopAt":"Axes","Data":{},"L":[2]})");
}

TEST(SettingsHandle, RemoveEqualKeepsWhatDiffers) {
    struct Case {
        const char* Mine;
        const char* Other;
        const char* Expected;
    };
    const char* const tree = R"({"A":1,"B":{"C":"x","D":[1,{"E":2}]},"F":[],"G":null})";
    const Case cases[] = {
        {tree, tree, "{}"},
        {R"({"A":1,"B":2,"C":3})", R"({"A":1,"B":5})", R"({"B":2,"C":3})"},
        {R"({"O":{"P":1,"Q":2}})", R"({"O":{"P":1,"Q":3}})", R"({"O":{"Q":2}})"},
        {R"({"L":[1,2]})", R"({"L":[2,1]})", R"({"L":[1,2]})"},
        {R"({"L":[1,2]})", R"({"L":[1,2]})", "{}"},
        {R"({"":5,"K":1})", "{}", R"({"K":1})"},
        {R"({"O":{"P":1}})", R"({"O":1})", R"({"O":{"P":1}})"},
        {R"({"O":{"P":1}})", R"({"O":[1]})", R"({"O":{"P":1}})"},
        {R"({"A":1})", R"({"A":"1"})", R"({"A":1})"},
        {R"({"A":1})", R"({"A":true})", R"({"A":1})"},
        {R"({"A":null})", R"({"A":null})", "{}"},
        {R"({"O":{"P":1}})", R"({"O":{"P":1,"Q":2}})", "{}"},
    };
    for (const Case& c : cases) {
        TSettingsHandle mine(c.Mine);
        TSettingsHandle other(c.Other);
        mine.RemoveEqual(other);
        EXPECT_EQ(mine.ToText(), c.Expected) << c.Mine << " against " << c.Other;
        EXPECT_EQ(other.ToText(), TSettingsHandle(c.Other).ToText());
        EXPECT_EQ(other.Depth(), 1);
    }
}

TEST(SettingsHandle, Equal) {
    struct Case {
        const char* A;
        const char* B;
        bool Expected;
    };
    const Case cases[] = {
        {R"({"a":1,"b":[1,{"c":2}]})", R"({"a":1,"b":[1,{"c":2}]})", true},
        {R"({"a":1,"b":2})", R"({"b":2,"a":1})", true}, // members by name
        {R"({"a":[1,2]})", R"({"a":[2,1]})", false},    // elements by position
        {R"({"a":1})", R"({"a":"1"})", false},
        {R"({"a":1})", R"({"a":1,"b":1})", false},
        {R"({"a":[1]})", R"({"a":[1,2]})", false},
        {R"({"a":{"b":{"c":1}}})", R"({"a":{"b":{"c":2}}})", false},
        {R"({"a":{"b":{"c":1}}})", R"({"a":{"b":{"d":1}}})", false},
        {"{}", "{}", true},
    };
    for (const Case& c : cases) {
        const TSettingsHandle a(c.A);
        const TSettingsHandle b(c.B);
        EXPECT_EQ(a.Equal(b), c.Expected) << c.A << " " << c.B;
        EXPECT_EQ(b.Equal(a), c.Expected) << c.B << " " << c.A;
    }
}

TEST(SettingsHandle, OwnershipAndAttaching) {
    TSettings shared;
    ASSERT_TRUE(shared.LoadFromText(R"({"A":1})"));
    {
        TSettingsHandle handle(shared);
        handle.Set("B", "2");
    } // a handle on settings it does not own leaves them alone
    EXPECT_EQ(shared.ToText(), R"({"A":1,"B":2})");

    TSettingsHandle handle(R"({"Own":1})");
    TSettings* owned = handle.Settings();
    handle.AttachSettings(*owned); // re-attaching its own settings must not free them
    EXPECT_EQ(handle.ToText(), R"({"Own":1})");
    handle.AttachSettings(shared);
    EXPECT_EQ(handle.ToText(), R"({"A":1,"B":2})");

    // A handle on the root sees what the settings load later.
    TSettingsHandle onShared(shared);
    ASSERT_TRUE(shared.LoadFromText(R"({"Loaded":1})"));
    EXPECT_EQ(onShared.Get("Loaded"), TVariant(1.0));

    handle.LoadFromText(R"({"New":true})");
    EXPECT_EQ(handle.ToText(), R"({"New":true})");
    EXPECT_THROW(handle.LoadFromText("{"), TSettingsError);
    EXPECT_EQ(handle.ToText(), R"({"New":true})"); // a failed load keeps what was there
}

TEST(SettingsHandle, ValuesAsVariants) {
    const TFormatSettings previous = FormatSettings();
    SetFormatSettings({"dd.MM.yyyy", "HH:mm:ss", ','});
    TSettingsHandle handle(R"({"N":2.5,"I":3,"S":"4,5","T":true,"F":"false","Z":null,"Big":1e12})");
    EXPECT_EQ(handle.Get("N").AsString(), "2,5"); // shown to the user: the user's separator
    EXPECT_EQ(handle.Get("I").AsString(), "3");
    EXPECT_EQ(handle.Get("N").AsInteger(), 2);
    EXPECT_EQ(handle.Get("S").AsDouble(), 4.5);
    EXPECT_EQ(handle.Get("T").AsInteger(), 1);
    EXPECT_EQ(handle.Get("T").AsString(), "True");
    EXPECT_FALSE(handle.Get("F").AsBoolean());
    EXPECT_TRUE(handle.Get("I").AsBoolean());
    EXPECT_EQ(handle.Get("Z").AsString(), "");
    EXPECT_EQ(handle.Get("Missing").AsInteger(), 0);
    EXPECT_EQ(handle.Get("Big").AsInteger(), 0); // out of range of an integer
    EXPECT_EQ(handle.Get("Big").AsDouble(), 1e12);
    SetFormatSettings(previous);
}
