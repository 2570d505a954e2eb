! Writes reference texts of Fortran output editing for the IREALTOSTRING test:
! one line per value and edit descriptor, "bits descriptor [text]", where bits
! is the value's bit pattern as a signed 32-bit integer.
program realtostring_cases
  implicit none
  character(len=8), parameter :: fmts(12) = [character(len=8) :: &
    '(e10.4)', '(e11.4)', '(e7.1)', '(e12.5)', '(e9.4)', '(e14.7)', &
    '(f5.1)', '(f7.3)', '(f3.1)', '(f10.2)', '(f4.0)', '(f12.6)']
  integer(8) :: state
  integer :: i, k, e, bits
  real :: v
  real :: specials(24) = [ 0.0, -0.0, 1.25e7, 62.5, 1.5, 0.7, -0.7, 0.99996e5, 9.99995, 99.95, &
    0.99995, 999.95, 0.125, 0.25, 0.375, 2.5, -2.5, 0.05, -0.01, 1.0e30, -1.0e-30, &
    3.4e38, 1.2e-38, 99999.5 ]
  state = 12345_8
  do i = 1, size(specials)
    call emit(specials(i))
  end do
  ! Exact binary fractions: ties of every kind.
  do k = -400, 400
    call emit(real(k) / 16.0)
  end do
  ! Pseudo-random mantissas over many decades, both signs.
  do i = 1, 2200
    state = mod(state * 48271_8, 2147483647_8)
    e = int(mod(state, 24_8)) - 10
    state = mod(state * 48271_8, 2147483647_8)
    v = real(state) / 2147483647.0 * 10.0**e
    if (mod(i, 3) == 0) v = -v
    call emit(v)
  end do
contains
  subroutine emit(x)
    real, intent(in) :: x
    character(len=40) :: buf
    integer :: f
    bits = transfer(x, bits)
    do f = 1, size(fmts)
      buf = ''
      write(buf, fmts(f)) x
      write(*, '(i0,1x,a,1x,a,a,a)') bits, trim(fmts(f)), '[', buf(1:width(fmts(f))), ']'
    end do
  end subroutine
  integer function width(fmt)
    character(len=*), intent(in) :: fmt
    integer :: dot
    dot = index(fmt, '.')
    read(fmt(3:dot - 1), *) width
  end function
end program
