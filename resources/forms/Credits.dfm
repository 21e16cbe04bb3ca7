object Credits: TCredits
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Credits'
  ClientHeight = 200
  ClientWidth = 416
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
end
