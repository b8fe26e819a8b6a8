; MMC3 split screen: the whole name table shows tile 0 (the power-on contents), and the
; scanline IRQ switches the CHR bank under it twice per frame, so the screen shows three bands:
;   lines 0-79 red ($16), lines 80-159 blue ($12), lines 160 and below green ($2A).
; The idle loop uses no register, so the handlers save none.

PPUCTRL   = $2000
PPUMASK   = $2001
PPUADDR   = $2006
PPUDATA   = $2007
BANKSELECT = $8000
BANKDATA   = $8001
IRQLATCH   = $C000         ; on this board: the counter itself, plus one
IRQDISABLE = $E000
IRQENABLE  = $E001

.segment "HEADER"
  .byte "NES", $1A, 4, 2, $41, 0  ; 4 x 16 KB PRG, 2 x 8 KB CHR, mapper 4, vertical
  .res 8, 0

.segment "ZEROPAGE"
split: .res 1              ; bands shown so far this frame, minus one

.segment "CODE"
reset:
  lda #0
  sta PPUMASK              ; picture off while the palette is written
  lda #$3F
  sta PPUADDR
  ldx #0
  stx PPUADDR
@palette:
  lda palette, x
  sta PPUDATA
  inx
  cpx #4
  bne @palette
  lda #0                   ; back to the top-left of name table 0
  sta PPUADDR
  sta PPUADDR
  sta BANKSELECT           ; the handlers only ever switch slot 0
  lda #$80                 ; NMI on, background from $0000
  sta PPUCTRL
  lda #$0A                 ; background only, left column shown
  sta PPUMASK
  cli
: jmp :-

; Each frame starts on the top band and arms the first split; each split shows the next band
; (1 KB CHR bank numbers for the 2 KB slot at $0000) and re-arms for the one after.
nmi:
  ldx #0
  lda #80                  ; the first split: the IRQ fires on visible line 80
  bne show                 ; always taken
irq:
  ldx split
  inx
  lda #80 - 1              ; bands of 80 lines, counted from the line after this one
show:
  stx split
  ldy bands, x
  sty BANKDATA
  sta IRQDISABLE           ; acknowledge
  sta IRQLATCH
  sta IRQENABLE
  rti
bands:
  .byte 0, 8, 10, 10
palette:
  .byte $0F, $16, $12, $2A

.segment "VECTORS"
  .word nmi, reset, irq

; CHR: tile 0 is solid colour 1 in page 0, colour 2 in page 8 and colour 3 in page 10.
.segment "CHARS"
  .res 8, $FF              ; page 0: plane 0 set
  .res $2000 - 8, 0
  .res 8, $00              ; page 8: plane 1 set
  .res 8, $FF
  .res $0800 - 16, 0
  .res 16, $FF             ; page 10: both planes
