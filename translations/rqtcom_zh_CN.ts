<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>LauncherDialog</name>
    <message>
        <source>EXIT</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>Data Exchange Manager</source>
        <translation>数据交换管理器</translation>
    </message>
    <message>
        <source>Coordinate Editor</source>
        <translation>坐标编辑器</translation>
    </message>
</context>
</TS>
