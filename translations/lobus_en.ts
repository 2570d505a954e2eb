<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>AngleView</name>
    <message>
        <source>kąt [°]</source>
        <translation>angle [°]</translation>
    </message>
    <message>
        <source>ciśnienie [%1]</source>
        <translation>pressure [%1]</translation>
    </message>
    <message>
        <source>temperatura [%1]</source>
        <translation>temperature [%1]</translation>
    </message>
</context>
<context>
    <name>DataFiles</name>
    <message>
        <source>Brak zbioru %1</source>
        <translation>File %1 is missing</translation>
    </message>
    <message>
        <source>Wybor zbioru wyników</source>
        <translation>Choose a results file</translation>
    </message>
    <message>
        <source>UWAGA</source>
        <translation>WARNING</translation>
    </message>
</context>
<context>
    <name>Drawing</name>
    <message>
        <source>Op</source>
        <translation>Ob</translation>
    </message>
    <message>
        <source>Oc</source>
        <translation>Oj</translation>
    </message>
    <message>
        <source>%1 st.C</source>
        <translation>%1 deg C</translation>
    </message>
</context>
<context>
    <name>QtWindowLayer</name>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Trwa odczyt przypadku. Przerwać odczyt i zakończyć program?</source>
        <translation>A case is being read. Stop reading and quit?</translation>
    </message>
</context>
<context>
    <name>Quantities</name>
    <message>
        <source>obciążenie (nośność)</source>
        <translation>load (load capacity)</translation>
    </message>
    <message>
        <source>straty mocy</source>
        <translation>power loss</translation>
    </message>
    <message>
        <source>wydatek oleju</source>
        <translation>oil flow</translation>
    </message>
    <message>
        <source>minimalna grubość filmu</source>
        <translation>minimum film thickness</translation>
    </message>
    <message>
        <source>liczba Sommerfelda</source>
        <translation>Sommerfeld number</translation>
    </message>
    <message>
        <source>średnica czopa</source>
        <translation>journal diameter</translation>
    </message>
    <message>
        <source>szerokość łożyska</source>
        <translation>bearing width</translation>
    </message>
    <message>
        <source>luz promieniowy</source>
        <translation>radial clearance</translation>
    </message>
    <message>
        <source>lepkość dynamiczna</source>
        <translation>dynamic viscosity</translation>
    </message>
    <message>
        <source>prędkość obrotowa czopa</source>
        <translation>journal speed</translation>
    </message>
    <message>
        <source>mimośród względny ε</source>
        <translation>eccentricity ratio ε</translation>
    </message>
    <message>
        <source>kąt położenia środka czopa</source>
        <translation>attitude angle</translation>
    </message>
    <message>
        <source>ciśnienie maksymalne</source>
        <translation>maximum pressure</translation>
    </message>
    <message>
        <source>temperatura maksymalna</source>
        <translation>maximum temperature</translation>
    </message>
    <message>
        <source>temperatura filmu olejowego</source>
        <translation>oil film temperature</translation>
    </message>
    <message>
        <source>temperatura powierzchni panwi</source>
        <translation>bush surface temperature</translation>
    </message>
</context>
<context>
    <name>Resources</name>
    <message>
        <source>&amp;Plik</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Otwórz</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>&amp;Zapisz mapę bitową</source>
        <translation>&amp;Save bitmap…</translation>
    </message>
    <message>
        <source>&amp;Drukuj rysunek</source>
        <translation>&amp;Print picture…</translation>
    </message>
    <message>
        <source>&amp;Zakończ</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Widok</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Skala rysunku</source>
        <translation>&amp;Drawing scale…</translation>
    </message>
    <message>
        <source>Skala  &amp;ciśnień</source>
        <translation>&amp;Pressure scale…</translation>
    </message>
    <message>
        <source>Skala &amp;temperatur</source>
        <translation>&amp;Temperature scale…</translation>
    </message>
    <message>
        <source>&amp;Kolory</source>
        <translation>&amp;Colours</translation>
    </message>
    <message>
        <source>Klin nr &amp;1</source>
        <translation>Lobe &amp;1</translation>
    </message>
    <message>
        <source>Klin nr &amp;2</source>
        <translation>Lobe &amp;2</translation>
    </message>
    <message>
        <source>Klin nr &amp;3</source>
        <translation>Lobe &amp;3</translation>
    </message>
    <message>
        <source>Klin nr &amp;4</source>
        <translation>Lobe &amp;4</translation>
    </message>
    <message>
        <source>Klin nr &amp;5</source>
        <translation>Lobe &amp;5</translation>
    </message>
    <message>
        <source>Klin nr &amp;6</source>
        <translation>Lobe &amp;6</translation>
    </message>
    <message>
        <source>Rodzaj skali</source>
        <translation>Kind of scale</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Skala rysunku</source>
        <translation>Drawing scale</translation>
    </message>
    <message>
        <source>Współczynnik skali : wysokość rysunku / promień koła luzów</source>
        <translation>Scale factor: picture height / clearance circle radius</translation>
    </message>
    <message>
        <source>Skala ciśnień</source>
        <translation>Pressure scale</translation>
    </message>
    <message>
        <source>Współczynik skali : oś Pmax / promień koła luzów   ( 0.0, 1.0 &gt;</source>
        <translation>Scale factor: Pmax axis / clearance circle radius (0.0, 1.0]</translation>
    </message>
    <message>
        <source>Automatyczna skala ciśnień</source>
        <translation>Automatic pressure scale</translation>
    </message>
    <message>
        <source>Ręczna skala ciśnień</source>
        <translation>Manual pressure scale</translation>
    </message>
    <message>
        <source>Maksymalna wartość ciśnienia</source>
        <translation>Maximum pressure</translation>
    </message>
    <message>
        <source>Skala temperatur</source>
        <translation>Temperature scale</translation>
    </message>
    <message>
        <source>Wspolczynnik skali : oś  Tmax / promień koła luzow  ( 0.0, 1.0 &gt;</source>
        <translation>Scale factor: Tmax axis / clearance circle radius (0.0, 1.0]</translation>
    </message>
    <message>
        <source>Automatyczna skala temperatur</source>
        <translation>Automatic temperature scale</translation>
    </message>
    <message>
        <source>Ręczna skala temperatur</source>
        <translation>Manual temperature scale</translation>
    </message>
    <message>
        <source>Maksymalna wartość temperatur</source>
        <translation>Maximum temperature</translation>
    </message>
    <message>
        <source>Dane do programu SOLAKO (*.dan)|*.dan|</source>
        <translation>SOLAKO input data (*.dan)|*.dan|</translation>
    </message>
    <message>
        <source>Wyniki programu SOLAKO (*.cha)|*.cha|</source>
        <translation>SOLAKO results (*.cha)|*.cha|</translation>
    </message>
    <message>
        <source>Wyniki programu SOLAKO (*.cis)|*.cis|</source>
        <translation>SOLAKO results (*.cis)|*.cis|</translation>
    </message>
    <message>
        <source>Dane do programu MERANT (*.dan)|*.dan|</source>
        <translation>MERANT input data (*.dan)|*.dan|</translation>
    </message>
    <message>
        <source>Wyniki programu MERANT (*.cha)|*.cha|</source>
        <translation>MERANT results (*.cha)|*.cha|</translation>
    </message>
    <message>
        <source>Wyniki programu MERANT (*.cis)|*.cis|</source>
        <translation>MERANT results (*.cis)|*.cis|</translation>
    </message>
    <message>
        <source>Mapa bitowa (*.bmp)|*.bmp|</source>
        <translation>Bitmap (*.bmp)|*.bmp|</translation>
    </message>
    <message>
        <source>Wyniki programu SOLAKO (*.tem)|*.tem|</source>
        <translation>SOLAKO results (*.tem)|*.tem|</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png)|*.png|Rysunek SVG (*.svg)|*.svg|Dokument PDF (*.pdf)|*.pdf|</source>
        <translation>PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf|</translation>
    </message>
</context>
<context>
    <name>Shell</name>
    <message>
        <source>Zapisz mapę bitową</source>
        <translation>Save bitmap</translation>
    </message>
    <message>
        <source>Nie można zapisać mapy bitowej %1</source>
        <translation>Cannot save the bitmap %1</translation>
    </message>
    <message>
        <source>Błąd zapisu</source>
        <translation>Write error</translation>
    </message>
    <message>
        <source>Błąd odczytu</source>
        <translation>Read error</translation>
    </message>
    <message>
        <source>Wybor zbioru danych</source>
        <translation>Choose a data file</translation>
    </message>
    <message>
        <source>Graficzna interpretacja danych i wyników programu SOLAKO</source>
        <translation>Graphical interpretation of SOLAKO data and results</translation>
    </message>
    <message>
        <source>Graficzna interpretacja danych i wyników programu MERANT</source>
        <translation>Graphical interpretation of MERANT data and results</translation>
    </message>
    <message>
        <source>Nie można utworzyć zbioru śladu %1 - program działa bez zapisu śladu.</source>
        <translation>Cannot create the trace file %1 - the program runs without a trace.</translation>
    </message>
    <message>
        <source>Zbiór %1 już istnieje.
Czy zastąpić go?</source>
        <translation>The file %1 already exists.
Replace it?</translation>
    </message>
    <message>
        <source>Nie można zapisać mapy bitowej %1:
%2</source>
        <translation>Cannot save the bitmap %1:
%2</translation>
    </message>
    <message>
        <source>Nie można zapisać zbioru śladu %1 (%2) - program działa dalej bez zapisu śladu.</source>
        <translation>Cannot write the trace file %1 (%2) - the program goes on without a trace.</translation>
    </message>
    <message>
        <source>Eksportuj rysunek</source>
        <translation>Export picture</translation>
    </message>
    <message>
        <source>Nie można zapisać rysunku %1:
%2</source>
        <translation>Cannot write the picture %1:
%2</translation>
    </message>
    <message>
        <source>Uwaga: %1</source>
        <translation>Note: %1</translation>
    </message>
    <message>
        <source>Zbiór %1 zmienił się; aby go przeczytać, użyj Otwórz</source>
        <translation>The file %1 has changed; use Open to read it</translation>
    </message>
    <message>
        <source>Nie przeczytano ponownie: %1</source>
        <translation>Not read again: %1</translation>
    </message>
    <message>
        <source>Przeczytano ponownie %1</source>
        <translation>Read again %1</translation>
    </message>
</context>
<context>
    <name>lobus</name>
    <message>
        <source>Brak pamięci na %1</source>
        <translation>Not enough memory for %1</translation>
    </message>
    <message>
        <source>tablice wyników (4 × 6 × %1 liczb, %2 MB) zbioru %3</source>
        <translation>the result arrays (4 × 6 × %1 numbers, %2 MB) of %3</translation>
    </message>
    <message>
        <source>dane przebiegu sprawdzającego zbioru %1</source>
        <translation>the examining pass&apos;s data of %1</translation>
    </message>
    <message>
        <source>dane przebiegu czytającego zbioru %1</source>
        <translation>the reading pass&apos;s data of %1</translation>
    </message>
    <message>
        <source>bufor rekordu %1 zbioru %2 (%3 MB)</source>
        <translation>the buffer of record %1 of %2 (%3 MB)</translation>
    </message>
    <message>
        <source>Zbiór %1 jest przypadkiem programu SOLAKO (z rozkładem temperatur). Ten program czyta przypadki programu MERANT; przypadek otworzy program lobus-solako.</source>
        <translation>%1 is a case of the SOLAKO solver (with temperature distributions). This program reads MERANT cases; lobus-solako opens this one.</translation>
    </message>
    <message>
        <source>Zbiór %1 jest przypadkiem programu MERANT (bez rozkładu temperatur). Ten program czyta przypadki programu SOLAKO; przypadek otworzy program lobus.</source>
        <translation>%1 is a case of the MERANT solver (without temperature distributions). This program reads SOLAKO cases; lobus opens this one.</translation>
    </message>
    <message>
        <source>zakodowany obraz zbioru %1</source>
        <translation>the encoded image of %1</translation>
    </message>
    <message>
        <source>obraz %1</source>
        <translation>an image of %1</translation>
    </message>
    <message>
        <source>rysunek %1</source>
        <translation>a picture of %1</translation>
    </message>
    <message>
        <source>rysunek zbioru %1</source>
        <translation>the picture of %1</translation>
    </message>
    <message>
        <source>tekst wyniku zbioru %1</source>
        <translation>the output text of %1</translation>
    </message>
    <message>
        <source>nie można zapisać %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>nie można zapisać %1: brak rysunku</source>
        <translation>cannot write %1: no picture</translation>
    </message>
    <message>
        <source>rozmiar rysunku poza zakresem: %1x%2</source>
        <translation>picture size out of range: %1x%2</translation>
    </message>
    <message>
        <source>nieznany format rysunku %1 (.png, .bmp, .svg lub .pdf)</source>
        <translation>unknown picture format of %1 (use .png, .bmp, .svg or .pdf)</translation>
    </message>
    <message>
        <source>to katalog</source>
        <translation>it is a directory</translation>
    </message>
    <message>
        <source>to kolejka FIFO</source>
        <translation>it is a FIFO</translation>
    </message>
    <message>
        <source>to urządzenie</source>
        <translation>it is a device</translation>
    </message>
    <message>
        <source>to gniazdo</source>
        <translation>it is a socket</translation>
    </message>
    <message>
        <source>to dowiązanie symboliczne, które nigdzie nie prowadzi</source>
        <translation>it is a symbolic link that leads nowhere</translation>
    </message>
    <message>
        <source>to plik specjalny</source>
        <translation>it is a special file</translation>
    </message>
    <message>
        <source>nie jest zwykłym plikiem (%1)</source>
        <translation>not a regular file (%1)</translation>
    </message>
    <message>
        <source>zbiór jest zapisywany przez inny program</source>
        <translation>another program is writing the file</translation>
    </message>
    <message>
        <source>zbiór jest tylko do odczytu</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>%1 miał jeszcze %2 inne dowiązania twarde; zachowują one poprzednią treść, zastąpiony został tylko ten zbiór</source>
        <translation>%1 had %2 more hard links; they keep the previous content, only this name was replaced</translation>
    </message>
    <message>
        <source>zbiór %1 kończy się w bloku klina %2 (kliny %3): pokazano to, co przeczytano do tego miejsca</source>
        <translation>%1 ends inside the block of lobe %2 (lobes %3): what was read up to there is shown</translation>
    </message>
    <message>
        <source>pmax w zbiorze %1 wynosi 0: wykresy ciśnień w skali automatycznej mają zerową skalę i nie są rysowane</source>
        <translation>pmax in %1 is 0: on the automatic scale the pressure diagrams have a scale of zero and are not drawn</translation>
    </message>
    <message>
        <source>%1 jest zbiorem wejściowym przypadku (%2): zapis by go zniszczył, nic nie zapisano</source>
        <translation>%1 is one of the case&apos;s input files (%2): writing would destroy it, nothing was written</translation>
    </message>
    <message>
        <source>%1: zabrakło pamięci w bibliotece, która nie umie tego zgłosić; program kończy się bez zapisu</source>
        <translation>%1: memory ran out inside a library that cannot report it; the program ends without writing</translation>
    </message>
    <message>
        <source>%1: nieoczekiwany błąd; program kończy się bez zapisu</source>
        <translation>%1: unexpected failure; the program ends without writing</translation>
    </message>
    <message>
        <source>wydruk wykresu kątowego</source>
        <translation>the printout of the angle view</translation>
    </message>
    <message>
        <source>wydruk rysunku</source>
        <translation>the printout of the picture</translation>
    </message>
    <message>
        <source>raport %1</source>
        <translation>the report %1</translation>
    </message>
    <message>
        <source> Otworzyć go teraz w tamtym programie?</source>
        <translation> Open it in that program now?</translation>
    </message>
    <message>
        <source>Nie można uruchomić programu, który czyta %1.</source>
        <translation>Cannot start the program that reads %1.</translation>
    </message>
</context>
<context>
    <name>lobus::CaseWatcher</name>
    <message>
        <source>Czytaj ponownie po zmianie plików</source>
        <translation>Read again when the files change</translation>
    </message>
</context>
<context>
    <name>lobus::ExportDialog</name>
    <message>
        <source>Rozmiar rysunku</source>
        <translation>Picture size</translation>
    </message>
    <message>
        <source>Jak na ekranie (%1)</source>
        <translation>As shown (%1)</translation>
    </message>
    <message>
        <source>A4 poziomo, 300 dpi (%1)</source>
        <translation>A4 landscape, 300 dpi (%1)</translation>
    </message>
    <message>
        <source>Inny:</source>
        <translation>Other:</translation>
    </message>
    <message>
        <source>Każdy punkt w zbiorze SVG i PDF</source>
        <translation>Every point in SVG and PDF files</translation>
    </message>
</context>
<context>
    <name>lobus::MainWindow</name>
    <message>
        <source>&amp;Eksportuj rysunek…</source>
        <translation>&amp;Export picture…</translation>
    </message>
    <message>
        <source>Os&amp;tatnio otwierane</source>
        <translation>Recen&amp;t files</translation>
    </message>
    <message>
        <source>Trwa odczyt przypadku - upuszczony zbiór %1 nie został otwarty.</source>
        <translation>A case is being read — the dropped file %1 was not opened.</translation>
    </message>
</context>
<context>
    <name>lobus::NumbersPanel</name>
    <message>
        <source>Nie wczytano przypadku.</source>
        <translation>No case loaded.</translation>
    </message>
    <message>
        <source>Zbiór danych: %1</source>
        <translation>Data file: %1</translation>
    </message>
    <message>
        <source>Program: %1</source>
        <translation>Solver: %1</translation>
    </message>
    <message>
        <source>Klin</source>
        <translation>Lobe</translation>
    </message>
    <message>
        <source>Początek [°]</source>
        <translation>Start [°]</translation>
    </message>
    <message>
        <source>Koniec [°]</source>
        <translation>End [°]</translation>
    </message>
    <message>
        <source>Punkty</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>kąt p maks. [°]</source>
        <translation>p peak angle [°]</translation>
    </message>
    <message>
        <source>Wielkość</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Znaczenie</source>
        <translation>Meaning</translation>
    </message>
    <message>
        <source>Wartość</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Jednostka</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>wartość %1</source>
        <translation>value %1</translation>
    </message>
    <message>
        <source>Środek czopa: mimośród względny ε = %1, kąt położenia = %2°</source>
        <translation>Journal centre: eccentricity ratio ε = %1, attitude angle = %2°</translation>
    </message>
    <message>
        <source>pmax = %1 %2</source>
        <translation>pmax = %1 %2</translation>
    </message>
    <message>
        <source>tmax = %1 %2</source>
        <translation>tmax = %1 %2</translation>
    </message>
    <message>
        <source>Uwaga: największe odczytane ciśnienie, %1 %2 (klin %3), różni się od pmax.</source>
        <translation>Note: the largest pressure read, %1 %2 (lobe %3), differs from pmax.</translation>
    </message>
    <message>
        <source>Warunki pracy (zbiór danych)</source>
        <translation>Operating conditions (data file)</translation>
    </message>
    <message>
        <source>Charakterystyki łożyska (zbiór .cha)</source>
        <translation>Bearing characteristics (.cha file)</translation>
    </message>
    <message>
        <source>Środek łuku a, b [c]</source>
        <translation>Lobe arc centre a, b [c]</translation>
    </message>
    <message>
        <source>p maks. [%1]</source>
        <translation>p peak [%1]</translation>
    </message>
    <message>
        <source>%1 maks. [%2]</source>
        <translation>%1 peak [%2]</translation>
    </message>
    <message>
        <source>kąt %1 maks. [°]</source>
        <translation>%1 peak angle [°]</translation>
    </message>
    <message>
        <source>klin %1: p maks. [MPa]</source>
        <translation>lobe %1: p peak [MPa]</translation>
    </message>
    <message>
        <source>Przypadek niepełny: nie wczytano %1 (wybór zbioru przerwano).</source>
        <translation>Incomplete case: %1 not read (the file choice was cancelled).</translation>
    </message>
    <message>
        <source>Przypadek niepełny: %1 kończy się przed końcem bloków klinów.</source>
        <translation>Incomplete case: %1 ends before the last lobe&apos;s block is complete.</translation>
    </message>
</context>
<context>
    <name>lobus::NumbersView</name>
    <message>
        <source>&amp;Liczby</source>
        <translation>&amp;Numbers</translation>
    </message>
    <message>
        <source>&amp;Panel charakterystyk</source>
        <translation>&amp;Characteristics panel</translation>
    </message>
    <message>
        <source>&amp;Odczyt pod kursorem</source>
        <translation>&amp;Read-out under the cursor</translation>
    </message>
    <message>
        <source>&amp;Szczyty i numery klinów</source>
        <translation>&amp;Peaks and lobe numbers</translation>
    </message>
    <message>
        <source>&amp;Wykres kątowy</source>
        <translation>&amp;Angle-base view</translation>
    </message>
    <message>
        <source>&amp;Eksportuj dane (CSV)…</source>
        <translation>&amp;Export data (CSV)…</translation>
    </message>
    <message>
        <source>&amp;Zapisz wykres kątowy…</source>
        <translation>&amp;Save angle-base view…</translation>
    </message>
    <message>
        <source>&amp;Drukuj wykres kątowy…</source>
        <translation>Pr&amp;int angle-base view…</translation>
    </message>
    <message>
        <source>Charakterystyki</source>
        <translation>Characteristics</translation>
    </message>
    <message>
        <source>Klin %1: kąt %2°, brak punktów</source>
        <translation>Lobe %1: angle %2°, no points</translation>
    </message>
    <message>
        <source>Eksport danych (CSV)</source>
        <translation>Export data (CSV)</translation>
    </message>
    <message>
        <source>Dane CSV (*.csv)</source>
        <translation>CSV data (*.csv)</translation>
    </message>
    <message>
        <source>Nie zapisano danych: %1</source>
        <translation>The data were not written: %1</translation>
    </message>
    <message>
        <source>Zapis wykresu kątowego</source>
        <translation>Save the angle-base view</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png);;Rysunek SVG (*.svg);;Dokument PDF (*.pdf)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Nie zapisano wykresu: %1</source>
        <translation>The view was not written: %1</translation>
    </message>
    <message>
        <source>Nie można rozpocząć wydruku.</source>
        <translation>The printout cannot be started.</translation>
    </message>
    <message>
        <source>%1 - wykres kątowy</source>
        <translation>%1 – angle-base view</translation>
    </message>
    <message>
        <source>Środek czopa: mimośród względny ε = %1, kąt położenia = %2°</source>
        <translation>Journal centre: eccentricity ratio ε = %1, attitude angle = %2°</translation>
    </message>
    <message>
        <source>Porównaj z przypadkiem</source>
        <translation>Compare with a case</translation>
    </message>
    <message>
        <source>Dane przypadku (*.dan)</source>
        <translation>Case data (*.dan)</translation>
    </message>
    <message>
        <source>Nie można porównać z %1:
%2</source>
        <translation>Cannot compare with %1:
%2</translation>
    </message>
    <message>
        <source>&amp;Porównaj z…</source>
        <translation>&amp;Compare with…</translation>
    </message>
    <message>
        <source>Zakończ porównanie</source>
        <translation>End the comparison</translation>
    </message>
    <message>
        <source>Klin %1: kąt %2°, p = %3 %4</source>
        <translation>Lobe %1: angle %2°, p = %3 %4</translation>
    </message>
    <message>
        <source>, %1 = %2 %3, %4 = %5 %6</source>
        <translation>, %1 = %2 %3, %4 = %5 %6</translation>
    </message>
    <message>
        <source>&amp;Seria przypadków…</source>
        <translation>&amp;Series of cases…</translation>
    </message>
    <message>
        <source>Seria przypadków z &amp;folderu…</source>
        <translation>Series of cases from a &amp;folder…</translation>
    </message>
    <message>
        <source>Nie przeczytano ponownie przypadku B (%1): %2</source>
        <translation>Case B (%1) not read again: %2</translation>
    </message>
    <message>
        <source>Przeczytano ponownie przypadek B (%1) %2</source>
        <translation>Read case B (%1) again %2</translation>
    </message>
</context>
<context>
    <name>lobus::Render</name>
    <message>
        <source>nie wybrano zbioru wyników</source>
        <translation>a result file was not chosen</translation>
    </message>
    <message>
        <source>%1 %2 pominięto: przypadek nie ma takiego zbioru wyników</source>
        <translation>%1 %2 not used: the case has no such result file</translation>
    </message>
    <message>
        <source>Nie można utworzyć zbioru śladu %1: %2</source>
        <translation>cannot create the trace file %1: %2</translation>
    </message>
    <message>
        <source>Nie udało się zapisać w całości zbioru śladu %1: %2</source>
        <translation>the trace file %1 could not be written whole: %2</translation>
    </message>
    <message>
        <source>uwaga: %1</source>
        <translation>note: %1</translation>
    </message>
    <message>
        <source>nie można pisać na standardowe wyjście</source>
        <translation>cannot write to standard output</translation>
    </message>
    <message>
        <source>%1 (zob. --help)</source>
        <translation>%1 (see --help)</translation>
    </message>
    <message>
        <source>%1: oczekiwano liczby od %2 do %3, podano &apos;%4&apos;</source>
        <translation>%1: expected a number from %2 to %3, got &apos;%4&apos;</translation>
    </message>
    <message>
        <source>%1: oczekiwano liczby całkowitej od %2 do %3, podano &apos;%4&apos;</source>
        <translation>%1: expected a whole number from %2 to %3, got &apos;%4&apos;</translation>
    </message>
    <message>
        <source>--colour: oczekiwano K=R,G,B, podano &apos;%1&apos;</source>
        <translation>--colour: expected K=R,G,B, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--colour, klin</source>
        <translation>--colour lobe</translation>
    </message>
    <message>
        <source>--colour, czerwony</source>
        <translation>--colour red</translation>
    </message>
    <message>
        <source>--colour, zielony</source>
        <translation>--colour green</translation>
    </message>
    <message>
        <source>--colour, niebieski</source>
        <translation>--colour blue</translation>
    </message>
    <message>
        <source>%1: oczekiwano liczby większej od 0.0, podano &apos;%2&apos;</source>
        <translation>%1: expected a number above 0.0, got &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--size: oczekiwano SZERxWYS, podano &apos;%1&apos;</source>
        <translation>--size: expected WxH, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--size, szerokość</source>
        <translation>--size width</translation>
    </message>
    <message>
        <source>--size, wysokość</source>
        <translation>--size height</translation>
    </message>
    <message>
        <source>dowolna</source>
        <translation>any</translation>
    </message>
    <message>
        <source>--lang: oczekiwano pl lub en, podano &apos;%1&apos;</source>
        <translation>--lang: expected pl or en, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--%1 podano więcej niż raz</source>
        <translation>--%1 given more than once</translation>
    </message>
    <message>
        <source>nie podano zbioru danych</source>
        <translation>no data file named</translation>
    </message>
    <message>
        <source>podano więcej niż jeden zbiór danych</source>
        <translation>more than one data file named</translation>
    </message>
    <message>
        <source>--csv: nie podano nazwy zbioru (- to standardowe wyjście)</source>
        <translation>--csv: no file named (- for standard output)</translation>
    </message>
    <message>
        <source>--dump, --summary i --csv wypisują przypadek każde osobno; podaj jedno</source>
        <translation>--dump, --summary and --csv each print the case alone; give one</translation>
    </message>
    <message>
        <source>--view: oczekiwano picture lub angle, podano &apos;%1&apos;</source>
        <translation>--view: expected picture or angle, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--annotate opisuje rysunek łożyska; widok kątowy ma własne oznaczenia</source>
        <translation>--annotate marks the picture; the angle view has its own marks</translation>
    </message>
    <message>
        <source>nie podano zbioru rysunku (-o RYS) ani --dump</source>
        <translation>no picture file named (-o OUT), and no --dump</translation>
    </message>
    <message>
        <source>-o: nazwa zbioru rysunku musi się kończyć na .png, .bmp, .svg lub .pdf: &apos;%1&apos;</source>
        <translation>-o: the picture file must end in .png, .bmp, .svg or .pdf: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--trace: nie podano nazwy zbioru śladu</source>
        <translation>--trace: no trace file name given</translation>
    </message>
    <message>
        <source>--series nie przyjmuje --%1</source>
        <translation>--series does not take --%1</translation>
    </message>
    <message>
        <source>--series: nie podano zbiorów ani folderów</source>
        <translation>--series: no files or folders given</translation>
    </message>
    <message>
        <source>--series: podaj jedno z --summary, --csv, --report, -o</source>
        <translation>--series: give one of --summary, --csv, --report, -o</translation>
    </message>
    <message>
        <source>--report: raport jest zbiorem .pdf: &apos;%1&apos;</source>
        <translation>--report: the report is a .pdf file: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--series -o: podaj --view locus lub --view chart</source>
        <translation>--series -o: give --view locus or --view chart</translation>
    </message>
    <message>
        <source>-o: rysunek serii musi się kończyć na .png, .svg lub .pdf: &apos;%1&apos;</source>
        <translation>-o: a series picture must end in .png, .svg or .pdf: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--view i --size serii dotyczą rysunku -o</source>
        <translation>a series&apos; --view and --size are for the -o picture</translation>
    </message>
    <message>
        <source>--view chart: podaj osie --x NAZWA i --y NAZWA</source>
        <translation>--view chart: give the axes --x NAME and --y NAME</translation>
    </message>
    <message>
        <source>--x i --y dotyczą --view chart</source>
        <translation>--x and --y are for --view chart</translation>
    </message>
    <message>
        <source>--%1 dotyczy tylko serii (--series)</source>
        <translation>--%1 is for a series only (--series)</translation>
    </message>
    <message>
        <source>--view chart: seria nie ma kolumny &apos;%1&apos; (są: %2)</source>
        <translation>--view chart: the series has no column &apos;%1&apos; (there are: %2)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>serię przypadków</source>
        <translation>the series of cases</translation>
    </message>
    <message>
        <source>--compare dotyczy rysunku -o</source>
        <translation>--compare is for the -o picture</translation>
    </message>
    <message>
        <source>--compare: nie podano zbioru danych drugiego przypadku</source>
        <translation>--compare: the other case&apos;s data file is not named</translation>
    </message>
    <message>
        <source>%1 wypisuje przypadek; nie przyjmuje -o, --size, --view, --annotate ani --full-detail</source>
        <translation>%1 prints the case; it takes no -o, --size, --view, --annotate or --full-detail</translation>
    </message>
    <message>
        <source>użycie: lobus-render --help | --version
        lobus-render --dump [--variant 1|2] [--cis Z] [--cha Z] [--tem Z] [--trace Z] PLIK.dan
        lobus-render PLIK.dan -o RYS.png|.bmp|.svg|.pdf [--variant 1|2] [--size SZERxWYS]
                     [--scale Y] [--plen L] [--tlen L] [--pmax P] [--tmax T]
                     [--colour K=R,G,B ...] [--cis Z] [--cha Z] [--tem Z] [--trace Z]
                     [--view picture|angle] [--annotate] [--full-detail]
                     [--units JEDN] [--temp-units C|K|F]
        lobus-render PLIK.dan --summary | --csv WYN.csv|- [--variant 1|2] [--cis Z] ...
                     [--compare B.dan]
        lobus-render --series ARG... --summary | --csv WYN.csv|- | --report RAPORT.pdf
                     | --view locus|chart [--x NAZWA --y NAZWA] -o RYS [--size SZERxWYS]
  --dump          wypisuje wczytany przypadek jako JSON, zamiast go rysować
  --summary       wypisuje jako JSON środek czopa, maksima i szczyty każdego klina
  --csv           zapisuje każdy wczytany punkt jako CSV (- to standardowe wyjście)
  --view          co trafia do -o: rysunek łożyska (domyślnie) albo widok kątowy;
                  dla serii: locus (środki czopa w okręgu luzu) albo chart (--x, --y)
  --compare       rysuje na rysunku lub widoku kątowym wykresy przypadku B liniami
                  przerywanymi, w skalach rysowanego przypadku
  --series        seria przypadków: zbiory .dan lub foldery (ich zbiory .dan albo folderu DANE)
  --x, --y        kolumny tabeli serii na osiach wykresu (nazwa, np. ekscen, pmax)
  --report        raport serii w PDF: tabela i środki czopa, potem strona na przypadek
  --annotate      numeruje kliny i zaznacza na rysunku ich szczytowe ciśnienia
  --units, --temp-units  jednostki ciśnień (MPa, bar, kPa, Pa, psi) i temperatur (C, K, F)
                  widoku kątowego i opisów --annotate (domyślnie MPa i C)
  -o, --output    zbiór rysunku; jego rozszerzenie wybiera format
  --full-detail   .svg i .pdf zachowują każdy punkt (domyślnie tylko to, co pokaże
                  ich nośnik: 0,1 piksela .svg, 1/1200 cala .pdf)
  --variant       1: zbiory SOLAKO (cieplne, czyta też .tem), 2: zbiory MERANT
                  (domyślnie: program, który zapisał przypadek; 2, gdy nie da się tego ustalić)
  --size          rozmiar rysunku w pikselach, każdy 1..20000 (domyślnie 1600x1000)
  --scale         skala rysunku: połowa wysokości w promieniach luzu, %1 (domyślnie 1.5)
  --plen, --tlen  długość osi ciśnienia / temperatury w promieniach luzu, %2 / %3
  --pmax, --tmax  ręczne maksimum ciśnienia / temperatury, powyżej 0 (domyślnie: z przypadku)
  --colour        kolor klina K (1..6): czerwony, zielony, niebieski 0..255; można powtarzać
  --cis, --cha, --tem  zbiór wyników użyty zamiast własnego zbioru przypadku
  --trace         zapisuje do tego zbioru ślad obu przebiegów
  --lang          język komunikatów: pl (polski) lub en (angielski); domyślnie język systemu
kod wyjścia: 0 gotowe, 1 nie udało się wczytać przypadku (serii: któregoś) albo zapisać rysunku,
             2 błędny wiersz poleceń, 3 brak zbioru wyników
</source>
        <translation>usage: lobus-render --help | --version
       lobus-render --dump [--variant 1|2] [--cis F] [--cha F] [--tem F] [--trace F] CASE.dan
       lobus-render CASE.dan -o OUT.png|.bmp|.svg|.pdf [--variant 1|2] [--size WxH]
                    [--scale Y] [--plen L] [--tlen L] [--pmax P] [--tmax T]
                    [--colour K=R,G,B ...] [--cis F] [--cha F] [--tem F] [--trace F]
                    [--view picture|angle] [--annotate] [--full-detail]
                    [--units UNIT] [--temp-units C|K|F]
                    [--compare B.dan]
       lobus-render CASE.dan --summary | --csv OUT.csv|- [--variant 1|2] [--cis F] ...
       lobus-render --series ARG... --summary | --csv OUT.csv|- | --report REPORT.pdf
                    | --view locus|chart [--x NAME --y NAME] -o OUT [--size WxH]
  --dump          print the case read as JSON instead of drawing it
  --summary       print the journal centre, maxima and each lobe&apos;s peaks as JSON
  --csv           write every point read as CSV (- for standard output)
  --view          what -o gets: the bearing picture (default) or the angle-base view;
                  for a series: locus (journal centres in the clearance circle) or chart (--x, --y)
  --compare       draws case B&apos;s diagrams in dashed lines over the picture or angle view,
                  at the scales of the case drawn
  --series        a series of cases: .dan files or folders (their .dan files, or their DANE folder&apos;s)
  --x, --y        the series table&apos;s columns on the chart&apos;s axes (a name, e.g. ekscen, pmax)
  --report        the series&apos; PDF report: the table and journal centres, then a page per case
  --annotate      number the lobes and mark their peak pressures on the picture
  --units, --temp-units  units of pressures (MPa, bar, kPa, Pa, psi) and temperatures (C, K, F)
                  in the angle-base view and the --annotate labels (default MPa and C)
  -o, --output    picture file; its extension picks the format
  --full-detail   .svg and .pdf keep every point (by default only what their medium
                  shows: 0.1 pixel in .svg, 1/1200 inch in .pdf)
  --variant       1: SOLAKO files (thermal, reads the .tem), 2: MERANT files
                  (default: the solver that wrote the case; 2 when it cannot be told)
  --size          picture size in pixels, each 1..20000 (default 1600x1000)
  --scale         drawing scale: half-height in clearance radii, %1 (default 1.5)
  --plen, --tlen  pressure / temperature axis length in clearance radii, %2 / %3
  --pmax, --tmax  manual pressure / temperature maximum, above 0 (default: from the case)
  --colour        colour of lobe K (1..6), red, green, blue 0..255; repeatable
  --cis, --cha, --tem  result file to use in place of the case&apos;s own
  --trace         write the trace of both passes to this file
  --lang          language of the messages: pl (Polish) or en (English); default: the system&apos;s
exit status: 0 done, 1 the case (in a series: any case) could not be read or the picture not written,
             2 bad command line, 3 a result file is missing
</translation>
    </message>
    <message>
        <source>--units: oczekiwano MPa, bar, kPa, Pa lub psi, podano &apos;%1&apos;</source>
        <translation>--units: expected MPa, bar, kPa, Pa or psi, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--temp-units: oczekiwano C, K lub F, podano &apos;%1&apos;</source>
        <translation>--temp-units: expected C, K or F, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--units i --temp-units dotyczą tylko --view angle i --annotate</source>
        <translation>--units and --temp-units apply only to --view angle and --annotate</translation>
    </message>
</context>
<context>
    <name>lobus::Series</name>
    <message>
        <source>%1 przy %2°</source>
        <translation>%1 at %2°</translation>
    </message>
    <message>
        <source>klin %1: %2° do %3°, p %4</source>
        <translation>lobe %1: %2° to %3°, p %4</translation>
    </message>
    <message>
        <source>, t1 %1, t2 %2</source>
        <translation>, t1 %1, t2 %2</translation>
    </message>
    <message>
        <source>Seria przypadków</source>
        <translation>Series of cases</translation>
    </message>
    <message>
        <source>nie ma takiego zbioru ani folderu</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>folder nie zawiera zbiorów .dan</source>
        <translation>the folder holds no .dan files</translation>
    </message>
    <message>
        <source>zmienia się %1: od %2 do %3</source>
        <translation>%1 changes: from %2 to %3</translation>
    </message>
    <message>
        <source>Środek czopa w okręgu luzu</source>
        <translation>Journal centre in the clearance circle</translation>
    </message>
    <message>
        <source>%1: nie znaleziono zbioru wyników</source>
        <translation>%1: a result file was not found</translation>
    </message>
    <message>
        <source>przerwano czytanie serii</source>
        <translation>reading the series was stopped</translation>
    </message>
</context>
<context>
    <name>lobus::SeriesWindow</name>
    <message>
        <source>Seria przypadków - %1</source>
        <translation>Series of cases — %1</translation>
    </message>
    <message>
        <source>&amp;Seria</source>
        <translation>&amp;Series</translation>
    </message>
    <message>
        <source>Zapisz &amp;tabelę (CSV)…</source>
        <translation>Save the &amp;table (CSV)…</translation>
    </message>
    <message>
        <source>Zapisz t&amp;or środka czopa…</source>
        <translation>Save the journal centre &amp;locus…</translation>
    </message>
    <message>
        <source>Zapisz &amp;wykres…</source>
        <translation>Save the &amp;chart…</translation>
    </message>
    <message>
        <source>&amp;Raport PDF…</source>
        <translation>PDF &amp;report…</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Oś &amp;X:</source>
        <translation>&amp;X axis:</translation>
    </message>
    <message>
        <source>Oś &amp;Y:</source>
        <translation>&amp;Y axis:</translation>
    </message>
    <message>
        <source>Czytanie serii: %1 z %2</source>
        <translation>Reading the series: %1 of %2</translation>
    </message>
    <message>
        <source>Brak pamięci na serię przypadków</source>
        <translation>Out of memory for the series of cases</translation>
    </message>
    <message>
        <source>Przeczytano %1 z %2 przypadków serii</source>
        <translation>Read %1 of the series' %2 cases</translation>
    </message>
    <message>
        <source>Przeczytano ponownie %1: %2</source>
        <translation>Read again %1: %2</translation>
    </message>
    <message>
        <source>Trwa odczyt przypadku - %1 nie został otwarty.</source>
        <translation>A case is being read — %1 was not opened.</translation>
    </message>
    <message>
        <source>seria</source>
        <translation>series</translation>
    </message>
    <message>
        <source>Nie zapisano: %1</source>
        <translation>Not written: %1</translation>
    </message>
    <message>
        <source>Zapisano %1</source>
        <translation>Written: %1</translation>
    </message>
    <message>
        <source>Zapis tabeli serii (CSV)</source>
        <translation>Save the series table (CSV)</translation>
    </message>
    <message>
        <source>Dane CSV (*.csv)</source>
        <translation>CSV data (*.csv)</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png);;Rysunek SVG (*.svg);;Dokument PDF (*.pdf)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Zapis toru środka czopa</source>
        <translation>Save the journal centre locus</translation>
    </message>
    <message>
        <source>-tor</source>
        <translation>-locus</translation>
    </message>
    <message>
        <source>Zapis wykresu serii</source>
        <translation>Save the series chart</translation>
    </message>
    <message>
        <source>-wykres</source>
        <translation>-chart</translation>
    </message>
    <message>
        <source>Raport serii (PDF)</source>
        <translation>Series report (PDF)</translation>
    </message>
    <message>
        <source>Dokument PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>-raport</source>
        <translation>-report</translation>
    </message>
</context>
<context>
    <name>lobus::SeriesWindows</name>
    <message>
        <source>Folder z serią przypadków</source>
        <translation>Folder with a series of cases</translation>
    </message>
    <message>
        <source>Seria przypadków</source>
        <translation>Series of cases</translation>
    </message>
    <message>
        <source>Dane przypadku (*.dan)</source>
        <translation>Case data (*.dan)</translation>
    </message>
</context>
<context>
    <name>lobus::SettingsFile</name>
    <message>
        <source>Ustawienia nie będą zapisane: %1 (%2).</source>
        <translation>The settings will not be saved: %1 (%2).</translation>
    </message>
</context>
<context>
    <name>lobus::SystemDialogs</name>
    <message>
        <source>Plik %1 nie istnieje. Utworzyć go?</source>
        <translation>The file %1 does not exist. Create it?</translation>
    </message>
</context>
<context>
    <name>lobus::UnitsMenu</name>
    <message>
        <source>&amp;Jednostki odczytów</source>
        <translation>Read-out &amp;units</translation>
    </message>
    <message>
        <source>Ciśnienie</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <translation>Temperature</translation>
    </message>
</context>
<context>
    <name>lobus::WindowProgram</name>
    <message>
        <source>Graficzna interpretacja danych i wyników programu SOLAKO: rysunek łożyska wielopowierzchniowego z jego zbiorów.</source>
        <translation>Graphical interpretation of SOLAKO data and results: the picture of a multi-lobe bearing from its files.</translation>
    </message>
    <message>
        <source>Graficzna interpretacja danych i wyników programu MERANT: rysunek łożyska wielopowierzchniowego z jego zbiorów.</source>
        <translation>Graphical interpretation of MERANT data and results: the picture of a multi-lobe bearing from its files.</translation>
    </message>
    <message>
        <source>Język programu: pl (polski) lub en (angielski).</source>
        <translation>The program&apos;s language: pl (Polish) or en (English).</translation>
    </message>
    <message>
        <source>język</source>
        <translation>language</translation>
    </message>
    <message>
        <source>PLIK.dan</source>
        <translation>FILE.dan</translation>
    </message>
    <message>
        <source>Zbiór danych otwierany po starcie, jak poleceniem Otwórz.</source>
        <translation>A data file to open at start, as Open does.</translation>
    </message>
    <message>
        <source>[PLIK.dan]</source>
        <translation>[FILE.dan]</translation>
    </message>
    <message>
        <source>Nieznany język: %1 (pl lub en).</source>
        <translation>Unknown language: %1 (pl or en).</translation>
    </message>
    <message>
        <source>Można podać najwyżej jeden zbiór danych.</source>
        <translation>At most one data file may be named.</translation>
    </message>
    <message>
        <source>Wypisuje ten opis i kończy, bez okna.</source>
        <translation>Show this help and quit, without opening a window.</translation>
    </message>
    <message>
        <source>Wypisuje numer wersji i kończy, bez okna.</source>
        <translation>Show the version number and quit, without opening a window.</translation>
    </message>
    <message>
        <source>%1: nie można otworzyć okna: brak ekranu, z którym można się połączyć (DISPLAY, WAYLAND_DISPLAY). Rysunek bez okna: lobus-render.</source>
        <translation>%1: cannot open a window: no screen to connect to (DISPLAY, WAYLAND_DISPLAY). For a picture without a window: lobus-render.</translation>
    </message>
    <message>
        <source>nie można pisać na standardowe wyjście</source>
        <translation>cannot write to standard output</translation>
    </message>
    <message>
        <source>Start z pulpitu: ślad do $XDG_STATE_HOME/lobus/wdr.txt zamiast do wdr.txt w katalogu bieżącym.</source>
        <translation>Started from the desktop: write the trace to $XDG_STATE_HOME/lobus/wdr.txt instead of wdr.txt in the current folder.</translation>
    </message>
</context>
</TS>
