<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>PresetsPage</name>
    <message>
        <source>场景预设</source>
        <translation>Пресеты</translation>
    </message>
    <message>
        <source>已保存的预设</source>
        <translation>Сохранённые пресеты</translation>
    </message>
    <message>
        <source>预设名称</source>
        <translation>Имя пресета</translation>
    </message>
    <message>
        <source>保存预设</source>
        <translation>Сохранить пресет</translation>
    </message>
    <message>
        <source>应用预设</source>
        <translation>Применить пресет</translation>
    </message>
    <message>
        <source>重命名预设</source>
        <translation>Переименовать пресет</translation>
    </message>
    <message>
        <source>删除预设</source>
        <translation>Удалить пресет</translation>
    </message>
    <message>
        <source>导入预设</source>
        <translation>Импорт пресета</translation>
    </message>
    <message>
        <source>导出预设</source>
        <translation>Экспорт пресета</translation>
    </message>
    <message>
        <source>预设文件 (*.json);;所有文件 (*)</source>
        <translation>Файлы пресетов (*.json);;Все файлы (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>ошибка</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>подсказка</translation>
    </message>
    <message>
        <source>无法保存预设：%1</source>
        <translation>Не удалось сохранить пресет: %1</translation>
    </message>
    <message>
        <source>%1 不是 JSON 文件：%2</source>
        <translation>%1 не является файлом JSON: %2</translation>
    </message>
    <message>
        <source>%1 不是预设文件</source>
        <translation>%1 не является файлом пресета</translation>
    </message>
    <message>
        <source>%1 来自更新的版本（格式 %2），此版本只能读取格式 %3</source>
        <translation>%1 создан более новой версией (формат %2); эта версия читает формат %3</translation>
    </message>
    <message>
        <source>%1 中的值无效：%2</source>
        <translation>%1 содержит недопустимое значение: %2</translation>
    </message>
    <message>
        <source>请输入有效的预设名称</source>
        <translation>Введите допустимое имя пресета</translation>
    </message>
    <message>
        <source>预设“%1”已存在，是否覆盖？</source>
        <translation>Пресет «%1» уже существует. Заменить его?</translation>
    </message>
    <message>
        <source>请先选择一个预设</source>
        <translation>Сначала выберите пресет</translation>
    </message>
    <message>
        <source>确定要删除预设“%1”吗？</source>
        <translation>Удалить пресет «%1»?</translation>
    </message>
    <message>
        <source>请先建立连接！</source>
        <translation>Пожалуйста, сначала установите соединение!</translation>
    </message>
    <message>
        <source>确定要将预设“%1”应用到设备吗？</source>
        <translation>Применить пресет «%1» к устройству?</translation>
    </message>
    <message>
        <source>正在应用预设：%1/%2</source>
        <translation>Применение пресета: %1/%2</translation>
    </message>
    <message>
        <source>正在回读设备状态…</source>
        <translation>Считывание состояния устройства…</translation>
    </message>
    <message>
        <source>连接已断开，预设未能全部应用</source>
        <translation>Соединение потеряно; пресет применён не полностью</translation>
    </message>
    <message>
        <source>已发送 %1 条命令。串口连接无法回读。</source>
        <translation>Отправлено команд: %1. Последовательный порт не читает состояние.</translation>
    </message>
    <message>
        <source>已发送 %1 条命令，但设备没有应答回读。</source>
        <translation>Отправлено команд: %1, но устройство не ответило на чтение.</translation>
    </message>
    <message>
        <source>预设已应用（%1 条命令），设备状态与预设一致。</source>
        <translation>Пресет применён (команд: %1); устройство ему соответствует.</translation>
    </message>
    <message>
        <source>%1：应为 %2，读到 %3</source>
        <translation>%1: ожидалось %2, прочитано %3</translation>
    </message>
    <message>
        <source>窗口 %1 %2：应为 %3，读到 %4</source>
        <translation>окно %1 %2: ожидалось %3, прочитано %4</translation>
    </message>
    <message>
        <source>预设已应用，但回读结果与预设不同：
%1</source>
        <translation>Пресет применён, но устройство считывается иначе:
%1</translation>
    </message>
    <message>
        <source>正在读取设备状态…</source>
        <translation>Чтение текущего состояния устройства…</translation>
    </message>
    <message>
        <source>无法读取设备状态，预设未应用</source>
        <translation>Не удалось прочитать состояние устройства, пресет не применён</translation>
    </message>
    <message>
        <source>文件名“%1”不能用作预设名称，请重命名文件后再导入</source>
        <translation>Имя файла «%1» нельзя использовать как имя пресета; переименуйте файл и импортируйте его снова</translation>
    </message>
</context>
</TS>
