#pragma once

#include "core/output/reportcontent.h"

#include <QWidget>

class DocumentExtension;
class TDaneSprawdzania;

// "Wydruk": the report form. It is created once with the program and
// filled before every print of the table; shown, it draws its page scaled
// to its size.
class TForm_Tabela : public QWidget
{
    Q_OBJECT

public:
    explicit TForm_Tabela(QWidget *parent = nullptr);

    // The report of a range the record holds.
    void fill(const TDaneSprawdzania &record, const DocumentExtension &extension,
              const OutputRange &range);
    const ReportContent &report() const { return m_report; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ReportContent m_report;
};
