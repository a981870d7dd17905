<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Texts of Qt's own dialogues that its Arabic catalogue lacks. -->
<TS version="2.1" language="ar">
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>قرص</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>مجلد</translation>
    </message>
</context>
</TS>
