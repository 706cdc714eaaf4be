#pragma once

#include "core/characteristic/characteristicgrid.h"
#include "core/document/documentfile.h"
#include "core/document/documentsession.h"
#include "gui/characteristic/gridview.h"
#include "gui/document/characteristicframe.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/panel/tform_czestotliwosc.h"
#include "tests/support/core/testservices.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

// The verification window with the frequency dialog its lists open and a
// folder for documents, and the user's hand on a grid: clicks into cells and
// typing into editors. A page test adds its pages, names the grid and then
// shows the window, active so that focus moves as it does for the user.
struct VerificationWindowFixture
{
    TestServices t;
    TForm_Sprawdzanie window{t.services};
    TForm_Czestotliwosc frequencyDialog{t.prompts, &window};
    QTemporaryDir dir;

    virtual ~VerificationWindowFixture() = default;
    virtual CharacteristicGrid &grid() = 0;
    virtual CharacteristicGridView &view() = 0;

    void show(int height = 530)
    {
        window.resize(639, height);
        window.show();
        window.activateWindow();
    }

    DocumentSession &session() { return window.session(); }
    TDaneSprawdzania &record() { return window.record(); }
    bool active() { return QTest::qWaitForWindowActive(&window); }

    void newDocument(const QString &typ, const QString &nazwa = {})
    {
        session().setMeterDialog([this, typ, nazwa](bool) {
            if (!nazwa.isEmpty())
                record().setNazwa(nazwa);
            record().setTyp(typ);
            return true;
        });
        session().newDocument();
    }

    QString write(const TDaneSprawdzania &record, const QString &name = QStringLiteral("a.cal"))
    {
        DocumentFile::write(record, dir.filePath(name));
        return dir.filePath(name);
    }

    void open(const QString &name)
    {
        t.prompts.openNames.push_back(name);
        session().openDocument();
    }

    // A click into a cell, as the user enters it.
    void click(GridArea area, int column, int row)
    {
        const QRect rect = view().cellRect({area, column, row});
        QWidget *widget = view().area(area);
        QTest::mouseClick(widget, Qt::LeftButton, {}, rect.center() - widget->pos());
    }

    // Types into the focused editor and presses a key.
    void type(const QString &text, Qt::Key key = Qt::Key_Return)
    {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        if (!text.isEmpty())
            QTest::keyClicks(focused, text);
        QTest::keyClick(focused, key);
    }

    // The cell under edit, with the focus in its editor.
    bool editing(GridArea area, int column, int row)
    {
        const auto current = grid().currentCell();
        return current && *current == GridCellRef{area, column, row} && view().editor() &&
               QApplication::focusWidget() == view().editor();
    }

    QStringList messages() const { return t.prompts.texts(); }
};
